#include "vesk/presets/PresetManager.h"

#include "vesk/FaultLog.h"
#include "vesk/dsp/ApproximatelyEqual.h"

#include <cmath>
#include <utility>
#include <vector>

namespace vesk
{
namespace
{
    namespace ids
    {
        const juce::Identifier factoryFolder{ "factory_folder" };
        const juce::Identifier userFolder{ "user_folder" };
        const juce::Identifier presetData{ "preset_data" };
        const juce::Identifier folderName{ "preset_folder_name" };
        const juce::Identifier presetName{ "preset_name" };
        const juce::Identifier presetFilePath{ "preset_file_path" };
        const juce::Identifier presetId{ "preset_id" };
        const juce::Identifier presetVersion{ "preset_version" };
        const juce::Identifier productName{ "product_name" };
        const juce::Identifier value{ "value" };
        const juce::Identifier id{ "id" };
        const juce::Identifier noKey{ "***invalidPropName***" };
    } // namespace ids

    constexpr int maxScanDepth = 3;
    constexpr int mergeDepth = 3;
    constexpr int stateProperty = 2;

    juce::ValueTree readPresetTree (const juce::File& file)
    {
        if (const auto xml = juce::parseXML (file.loadFileAsString()))
            return juce::ValueTree::fromXml (*xml);

        return {};
    }

    // Plain decimal notation only: sign, digits with an optional fraction, optional exponent.
    bool isDecimalNumber (const juce::String& text)
    {
        auto p = text.getCharPointer();
        const auto digits = [&p]
        {
            int n = 0;
            for (; p.isDigit(); ++p)
                ++n;
            return n;
        };

        if (*p == '+' || *p == '-')
            ++p;

        auto mantissaDigits = digits();

        if (*p == '.')
        {
            ++p;
            mantissaDigits += digits();
        }

        if (mantissaDigits == 0)
            return false;

        if (*p == 'e' || *p == 'E')
        {
            ++p;

            if (*p == '+' || *p == '-')
                ++p;

            if (digits() == 0)
                return false;
        }

        return p.isEmpty();
    }

    bool isUsableValue (const juce::var& v)
    {
        if (v.isBool())
            return true;

        if (v.isInt() || v.isInt64() || v.isDouble())
            return std::isfinite (static_cast<double> (v));

        if (v.isString())
        {
            const auto text = v.toString().trim();
            return isDecimalNumber (text) && std::isfinite (text.getDoubleValue());
        }

        return false;
    }

    // The value tree state would turn such a value into an arbitrary number (text reads as 0,
    // infinities clamp to a range end); without it the entry leaves its parameter alone.
    void removeUnusableValues (juce::ValueTree& preset)
    {
        for (auto child : preset)
            if (child.hasProperty (ids::value) && !isUsableValue (child.getProperty (ids::value)))
                child.removeProperty (ids::value, nullptr);
    }

    juce::ValueTree firstChildOrAppend (juce::ValueTree& parent, const juce::Identifier& type)
    {
        auto node = parent.getChildWithName (type);

        if (!node.isValid())
        {
            node = juce::ValueTree (type);
            parent.appendChild (node, nullptr);
        }

        return node;
    }
} // namespace

PresetManager::PresetListener::~PresetListener() = default;

// GCC 12 takes the iterator that JUCE 7's ListenerList keeps during a call for a dangling
// pointer; the list removes it again before the call returns.
JUCE_BEGIN_IGNORE_WARNINGS_GCC_LIKE ("-Wdangling-pointer")
template <typename Callback>
void PresetManager::callListeners (Callback&& callback)
{
    listeners.call (std::forward<Callback> (callback));
}
JUCE_END_IGNORE_WARNINGS_GCC_LIKE

//==============================================================================================
PresetManager::PresetManager (juce::AudioProcessorValueTreeState& state,
                              ProductInfo product,
                              juce::String extension,
                              config::Registry registry)
    : PresetManager (state, std::move (product), std::move (extension), std::move (registry), std::nullopt)
{
}

PresetManager::PresetManager (juce::AudioProcessorValueTreeState& state,
                              ProductInfo product,
                              juce::String extension,
                              config::Registry registry,
                              PresetFolders folders)
    : PresetManager (state, std::move (product), std::move (extension), std::move (registry), std::optional (folders))
{
}

PresetManager::PresetManager (juce::AudioProcessorValueTreeState& state,
                              ProductInfo product,
                              juce::String extension,
                              config::Registry registry,
                              std::optional<PresetFolders> folders)
    : treeState (state)
    , config (std::move (registry))
    , productInfo (std::move (product))
    , presetExtension (std::move (extension))
    , folderOverride (std::move (folders))
{
    const auto userFolder = getUserPresetFolder();

    if (userFolder.getFullPathName().isNotEmpty() && !userFolder.exists())
        userFolder.createDirectory();

    initialiseStateProperties();
    updatePresetLists (juce::dontSendNotification);
    treeState.state.addListener (this);
}

PresetManager::~PresetManager()
{
    treeState.state.removeListener (this);
    masterReference.clear();
    clearPresetList();
}

void PresetManager::initialiseStateProperties()
{
    for (const auto& entry : config)
        if (entry->storage == stateProperty)
            treeState.state.setProperty (juce::Identifier (entry->name.c_str()),
                                         juce::String::fromUTF8 (entry->defaultValue.c_str()),
                                         nullptr);
}

//==============================================================================================
juce::File PresetManager::getFactoryPresetFolder() const
{
    return folderOverride.has_value() ? folderOverride->factory : getDefaultPresetFolders (productInfo).factory;
}

juce::File PresetManager::getUserPresetFolder() const
{
    return folderOverride.has_value() ? folderOverride->user : getDefaultPresetFolders (productInfo).user;
}

juce::String PresetManager::getPresetVersionText() const
{
    return presetVersion >= 0 ? juce::String (presetVersion) : productInfo.version;
}

//==============================================================================================
void PresetManager::clearPresetList()
{
    for (auto i = presetList.getNumChildren(); --i >= 0;)
        presetList.removeChild (i, nullptr);

    for (auto i = presetList.getNumProperties(); --i >= 0;)
        presetList.removeProperty (presetList.getPropertyName (i), nullptr);
}

void PresetManager::updatePresetLists (juce::NotificationType notification)
{
    clearPresetList();

    const auto factoryCount = scanPresetFolder (getFactoryPresetFolder(), 1, presetList, true, 0);

    auto factoryNode = firstChildOrAppend (presetList, ids::factoryFolder);
    factoryNode.setProperty (ids::folderName, "Factory", nullptr);

    juce::ValueTree initialize (ids::presetData);
    initialize.setProperty (ids::presetName, "Initialize", nullptr);
    initialize.setProperty (ids::presetId, 0, nullptr);
    factoryNode.addChild (initialize, 0, nullptr);

    firstUserPresetId = factoryCount >= 1 ? factoryCount + 1 : 1;

    const auto userFolder = getUserPresetFolder();

    if (userFolder.getFullPathName().isNotEmpty() && userFolder.exists())
    {
        const auto userCount = scanPresetFolder (userFolder, firstUserPresetId, presetList, false, 0);
        firstChildOrAppend (presetList, ids::userFolder).setProperty (ids::folderName, "User", nullptr);
        userPresetCount = juce::jmax (0, userCount);
    }
    else
    {
        userPresetCount = 0;
    }

    if (notification != juce::dontSendNotification)
        callListeners ([] (PresetListener& l) { l.presetListChanged(); });
}

int PresetManager::scanPresetFolder (
    const juce::File& folder, int firstId, juce::ValueTree parent, bool factory, int depth)
{
    if (folder.getFullPathName().isEmpty() || !folder.isDirectory() || !parent.isValid())
        return -1;

    juce::ValueTree node (factory ? ids::factoryFolder : ids::userFolder);
    node.setProperty (ids::folderName, folder.getFileNameWithoutExtension(), nullptr);

    int count = 0;
    addFilesOfFolder (folder, firstId, node, count);

    if (depth < maxScanDepth)
    {
        for (const auto& subfolder : folder.findChildFiles (juce::File::findDirectories, false, "*"))
        {
            // A subfolder that vanished since the listing holds no presets; counting its -1
            // would shift every later id onto the wrong file.
            count += juce::jmax (0, scanPresetFolder (subfolder, firstId + count, node, factory, depth + 1));
        }
    }

    if (node.getNumChildren() > 0)
        parent.appendChild (node, nullptr);

    return count;
}

void PresetManager::addFilesOfFolder (const juce::File& folder, int firstId, juce::ValueTree& node, int& count)
{
    for (const auto& file : folder.findChildFiles (juce::File::findFiles, false, "*." + presetExtension))
    {
        if (!file.existsAsFile())
            continue;

        const auto preset = readPresetTree (file);

        if (!isPresetValid (preset))
            continue;

        juce::ValueTree data (ids::presetData);
        data.setProperty (ids::presetName, preset.getProperty (ids::presetName, "No Name").toString(), nullptr);
        data.setProperty (ids::presetFilePath, file.getFullPathName(), nullptr);
        data.setProperty (ids::presetId, firstId + count, nullptr);
        node.appendChild (data, nullptr);
        ++count;
    }
}

//==============================================================================================
bool PresetManager::isPresetValid (const juce::ValueTree& preset) const
{
    if (!preset.isValid())
        return false;

    if (checkProductName)
    {
        const auto name = preset.getProperty (ids::productName).toString();

        if (name != productInfo.name)
        {
            logFault ("Product name mismatch. [" + name + "] should have been [" + productInfo.name + "]");
            return false;
        }

        if (!isPresetVersionSupported (preset.getProperty (ids::presetVersion, "0").toString()))
            return false;
    }

    return preset.hasProperty (ids::presetName) && preset.getProperty (ids::presetName).toString().isNotEmpty();
}

bool PresetManager::isPresetVersionSupported (const juce::String&) const
{
    return true;
}

bool PresetManager::applyPresetState (juce::ValueTree preset)
{
    if (!isPresetValid (preset))
        return false;

    preset.removeProperty (ids::presetName, nullptr);
    preset.removeProperty (ids::presetVersion, nullptr);
    preset.removeProperty (ids::productName, nullptr);
    removeUnusableValues (preset);

    mergeTree (preset, treeState.state, mergeDepth);
    return true;
}

void PresetManager::mergeTree (const juce::ValueTree& source, juce::ValueTree destination, int depth)
{
    if (depth < 0)
        return;

    for (int i = 0; i < source.getNumProperties(); ++i)
    {
        const auto name = source.getPropertyName (i);
        destination.setProperty (name, source.getProperty (name), nullptr);
    }

    for (const auto& child : source)
    {
        const auto key = child.getNumProperties() > 0 ? child.getPropertyName (0) : ids::noKey;
        const auto value = child.getProperty (key);

        juce::ValueTree target;

        for (const auto& candidate : destination)
        {
            if (candidate.getProperty (key) == value)
            {
                target = candidate;
                break;
            }
        }

        if (!target.isValid() && !child.hasProperty (key))
            target = destination.getChildWithName (child.getType());

        if (target.isValid())
            mergeTree (child, target, depth - 1);
        else
            destination.appendChild (child.createCopy(), nullptr);
    }
}

juce::ValueTree PresetManager::getCurrentState()
{
    return treeState.copyState();
}

//==============================================================================================
void PresetManager::loadStateFromXml (const juce::XmlElement* xml)
{
    if (xml == nullptr)
        return;

    const auto preset = juce::ValueTree::fromXml (*xml);

    if (!preset.isValid())
        return;

    applyPresetState (preset);

    // The value tree state writes back every value its parameter rounded, snapped or clamped.
    // Left to its timer, those writes would arrive after the flag is cleared and mark the
    // preset just loaded as modified; flushed now, they arrive while it is still set.
    treeState.copyState();

    setPresetDirty (false, juce::dontSendNotification);
    callListeners ([] (PresetListener& l) { l.presetLoaded(); });
}

void PresetManager::loadPresetFile (const juce::File& file)
{
    const auto xml = juce::parseXML (file.loadFileAsString());
    loadStateFromXml (xml.get());
    selectPresetFile (file);
}

void PresetManager::selectPresetFile (const juce::File& file)
{
    const auto node = findPresetNode (ids::presetFilePath, file.getFullPathName());

    if (!node.isValid())
        return;

    const auto presetId = static_cast<int> (node.getProperty (ids::presetId, -1));

    if (presetId >= 0)
        setSelectedPresetIndex (presetId, juce::sendNotification);
}

bool PresetManager::loadPreset (int presetId)
{
    if (presetId != 0)
    {
        const auto file = getPresetFile (presetId);

        if (!file.has_value() || !file->existsAsFile())
            return false;

        loadPresetFile (*file);
        setSelectedPresetIndex (presetId, juce::sendNotification);
        return true;
    }

    for (const auto& entry : config)
    {
        if (auto* parameter = treeState.getParameter (juce::String::fromUTF8 (entry->name.c_str())))
        {
            parameter->beginChangeGesture();
            parameter->setValueNotifyingHost (parameter->getDefaultValue());
            parameter->endChangeGesture();
        }
    }

    setPresetDirty (false, juce::sendNotification);
    setSelectedPresetIndex (0, juce::sendNotification);
    return true;
}

std::optional<juce::File> PresetManager::getPresetFile (int presetId) const
{
    const auto node = findPresetNode (ids::presetId, presetId);

    if (!node.isValid())
        return std::nullopt;

    const auto path = node.getProperty (ids::presetFilePath).toString();

    if (!juce::File::isAbsolutePath (path))
        return std::nullopt;

    return juce::File (path);
}

juce::ValueTree PresetManager::findPresetNode (const juce::Identifier& property, const juce::var& value) const
{
    std::vector<juce::ValueTree> stack{ presetList };

    while (!stack.empty())
    {
        const auto node = stack.back();
        stack.pop_back();

        if (node.hasProperty (property) && node.getProperty (property) == value)
            return node;

        for (const auto& child : node)
            stack.push_back (child);
    }

    return {};
}

//==============================================================================================
void PresetManager::setSelectedPresetIndex (int presetId, juce::NotificationType notification)
{
    if (selectedPresetId == presetId)
        return;

    selectedPresetId = presetId;

    if (notification != juce::dontSendNotification)
        callListeners ([] (PresetListener& l) { l.presetStatusChanged(); });
}

void PresetManager::setPresetDirty (bool dirty, juce::NotificationType notification)
{
    if (presetDirty == dirty)
        return;

    presetDirty = dirty;

    if (notification != juce::dontSendNotification)
        callListeners ([] (PresetListener& l) { l.presetStatusChanged(); });
}

void PresetManager::valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property)
{
    if (property != ids::value || presetDirty)
        return;

    if (selectedPresetId != 0 || differsFromInitialize (tree))
        setPresetDirty (true, juce::sendNotification);
}

bool PresetManager::differsFromInitialize (const juce::ValueTree& entry) const
{
    const auto parameterId = entry.getProperty (ids::id).toString().toStdString();

    for (const auto& candidate : config)
    {
        if (candidate->name == parameterId)
        {
            const auto current = static_cast<float> (static_cast<double> (entry.getProperty (ids::value)));
            const auto initial =
                static_cast<float> (juce::String::fromUTF8 (candidate->defaultValue.c_str()).getDoubleValue());
            return !approximatelyEqual (current, initial);
        }
    }

    return false;
}

//==============================================================================================
void PresetManager::addPresetsToMenu (juce::PopupMenu& menu, const juce::ValueTree& folder)
{
    for (const auto& child : folder)
    {
        if (child.hasProperty (ids::folderName))
        {
            juce::PopupMenu subMenu;
            addPresetsToMenu (subMenu, child);
            menu.addSubMenu (child.getProperty (ids::folderName, "User").toString(), subMenu, true);
        }
        else if (child.hasType (ids::presetData))
        {
            const auto presetId = static_cast<int> (child.getProperty (ids::presetId, -1));

            // Menu item ids start at 1: 0 means "no item".
            if (presetId >= 0)
                menu.addItem (presetId + 1, child.getProperty (ids::presetName, "No Name").toString(), true, false);
        }
    }
}

void PresetManager::addListener (PresetListener* listener)
{
    listeners.add (listener);
}

void PresetManager::removeListener (PresetListener* listener)
{
    listeners.remove (listener);
}
} // namespace vesk
