#pragma once

namespace vesk
{
/** The pictures of the preset bar. */
enum class PresetIcon
{
    checkMark,
    prohibitionSign,
    roundedCross,
    wasteBin,
    triangleLeft,
    triangleRight,
    openedFolder,
    floppyDisk
};

/** The icon as SVG text, drawn in opaque black so that a caller can recolour it. */
const char* getPresetIconSvg (PresetIcon icon) noexcept;
} // namespace vesk
