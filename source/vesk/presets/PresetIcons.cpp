#include "vesk/presets/PresetIcons.h"

namespace vesk
{
namespace
{
    // Strokes and fills are exactly #000000: createIcon recolours that one colour only.

    const char* const checkMark = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1200 1200">
  <path d="M170 650 L480 950 L1040 280" fill="none" stroke="#000000" stroke-width="160"
        stroke-linecap="round" stroke-linejoin="round"/>
</svg>)svg";

    const char* const prohibitionSign = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 1200 1200">
  <circle cx="600" cy="600" r="470" fill="none" stroke="#000000" stroke-width="130"/>
  <path d="M268 268 L932 932" fill="none" stroke="#000000" stroke-width="130"/>
</svg>)svg";

    const char* const roundedCross = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 121.31 122.876">
  <path d="M18 18 L103.31 104.876 M103.31 18 L18 104.876" fill="none" stroke="#000000"
        stroke-width="26" stroke-linecap="round"/>
</svg>)svg";

    const char* const wasteBin = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 416 512">
  <path d="M152 24 Q152 8 168 8 H248 Q264 8 264 24 V48 H232 V40 H184 V48 H152 Z" fill="#000000"/>
  <rect x="24" y="56" width="368" height="48" rx="16" fill="#000000"/>
  <path fill-rule="evenodd" fill="#000000"
        d="M56 128 H360 L336 472 Q334 504 302 504 H114 Q82 504 80 472 Z
           M132 176 H164 V448 H132 Z M192 176 H224 V448 H192 Z M252 176 H284 V448 H252 Z"/>
</svg>)svg";

    const char* const triangleLeft = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 150 330.0012">
  <path d="M130 20 L20 165 L130 310 Z" fill="#000000" stroke="#000000" stroke-width="30"
        stroke-linejoin="round"/>
</svg>)svg";

    const char* const triangleRight = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 150 330.0012">
  <path d="M20 20 L130 165 L20 310 Z" fill="#000000" stroke="#000000" stroke-width="30"
        stroke-linejoin="round"/>
</svg>)svg";

    const char* const openedFolder = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 225.69331 198.999">
  <path d="M14 40 Q14 16 38 16 H84 Q94 16 100 24 L110 38 H178 Q200 38 200 60 V72 H58
           Q44 72 38 86 L14 150 Z" fill="#000000"/>
  <path d="M60 86 H210 Q222 86 218 98 L188 174 Q182 186 168 186 H22 Q10 186 14 174 L44 98
           Q50 86 60 86 Z" fill="#000000"/>
</svg>)svg";

    const char* const floppyDisk = R"svg(<svg xmlns="http://www.w3.org/2000/svg" viewBox="0 0 295.485 289.365">
  <path fill-rule="evenodd" fill="#000000"
        d="M28 10 H236 L285 59 V261 Q285 279 267 279 H28 Q10 279 10 261 V28 Q10 10 28 10 Z
           M70 28 H214 V96 H70 Z M52 152 H244 V262 H52 Z"/>
  <rect x="170" y="40" width="30" height="44" fill="#000000"/>
</svg>)svg";
} // namespace

const char* getPresetIconSvg (PresetIcon icon) noexcept
{
    switch (icon)
    {
        case PresetIcon::checkMark: return checkMark;
        case PresetIcon::prohibitionSign: return prohibitionSign;
        case PresetIcon::roundedCross: return roundedCross;
        case PresetIcon::wasteBin: return wasteBin;
        case PresetIcon::triangleLeft: return triangleLeft;
        case PresetIcon::triangleRight: return triangleRight;
        case PresetIcon::openedFolder: return openedFolder;
        case PresetIcon::floppyDisk: return floppyDisk;
    }

    return checkMark;
}
} // namespace vesk
