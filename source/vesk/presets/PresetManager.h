#pragma once

#include "vesk/ProductInfo.h"
#include "vesk/config/Registry.h"
#include "vesk/presets/PresetFolders.h"

#include <juce_audio_processors/juce_audio_processors.h>
#include <juce_gui_basics/juce_gui_basics.h>

#include <optional>

namespace vesk
{
/** The non-visual half of the preset system: it lists the presets of a factory folder and a
    user folder, numbers them, validates preset files, merges them into a plug-in's parameter
    state and tracks whether the parameters still equal the selected preset.

    Ids: 0 is the built-in "Initialize"; factory presets follow from 1 in scan order, user
    presets from getFirstUserPresetId(). A rescan renumbers.

    A preset file is the parameter state tree written as XML, with "preset_version",
    "product_name" and "preset_name" on its root. Writing one is the preset bar's work; see
    getCurrentState() and getPresetVersionText().

    Message thread only: it listens to the state tree, whose changes the value tree state makes
    on the message thread, and its listener list has no lock. Never call it from the audio
    thread (it reads files and allocates).
*/
class PresetManager : private juce::ValueTree::Listener
{
public:
    /** Told synchronously, on the calling thread, for every notification that is sent. */
    class PresetListener
    {
    public:
        virtual ~PresetListener();
        /** The preset list was rescanned. */
        virtual void presetListChanged() = 0;
        /** The selection or the dirty flag changed. */
        virtual void presetStatusChanged() = 0;
        /** A preset document was applied. */
        virtual void presetLoaded() {}
    };

    /** A manager on the platform's default preset folders (see getDefaultPresetFolders).
        Creates the user folder when missing, scans both folders and starts listening to the
        state tree.
    */
    PresetManager (juce::AudioProcessorValueTreeState& state,
                   ProductInfo product,
                   juce::String extension,
                   config::Registry registry);

    /** The same on the given folders instead of the platform's defaults. */
    PresetManager (juce::AudioProcessorValueTreeState& state,
                   ProductInfo product,
                   juce::String extension,
                   config::Registry registry,
                   PresetFolders folders);

    ~PresetManager() override;

    //==========================================================================================
    /** Validates the preset tree, strips its three preset attributes (from the caller's tree)
        and merges the rest into the parameter state. A parameter entry whose "value" is not a
        finite number loses that value first, so it leaves its parameter unchanged.
        Returns false, changing nothing, when the tree is not a valid preset.
    */
    virtual bool applyPresetState (juce::ValueTree preset);

    /** A deep copy of the parameter state after pending parameter values were written into it. */
    virtual juce::ValueTree getCurrentState();

    /** The hook validation asks (only while the product name is checked); accepts every version. */
    virtual bool isPresetVersionSupported (const juce::String& version) const;

    //==========================================================================================
    /** Rescans both folders into the preset list; then tells presetListChanged unless told
        juce::dontSendNotification.
    */
    void updatePresetLists (juce::NotificationType notification);

    /** Applies "Initialize" (id 0) or the listed file with that id, and selects it. False, with
        nothing changed, when the id has no existing file.
    */
    bool loadPreset (int presetId);

    /** Reads and applies one preset file from anywhere; selects it when it is listed. */
    void loadPresetFile (const juce::File& file);

    /** Applies a parsed preset document (null is ignored), writes the parameters' resulting
        values into the state at once, clears the dirty flag without telling anyone, then
        tells presetLoaded.
    */
    void loadStateFromXml (const juce::XmlElement* xml);

    /** Selects the listed preset with that file's full path; other files change nothing. */
    void selectPresetFile (const juce::File& file);

    void setSelectedPresetIndex (int presetId, juce::NotificationType notification);
    void setPresetDirty (bool dirty, juce::NotificationType notification);

    /** A valid preset has a non-empty "preset_name"; while the product name is checked it must
        also carry this product's name and a supported version.
    */
    bool isPresetValid (const juce::ValueTree& preset) const;

    /** The file of a listed preset; none for "Initialize" or an unknown id. */
    std::optional<juce::File> getPresetFile (int presetId) const;

    /** The first node of the preset list, depth first, whose property equals the value, or an
        invalid tree.
    */
    juce::ValueTree findPresetNode (const juce::Identifier& property, const juce::var& value) const;

    juce::File getFactoryPresetFolder() const;
    juce::File getUserPresetFolder() const;

    //==========================================================================================
    /** Copies the source's properties onto the destination and merges each source child into
        the destination child with the same value of its first property (its key), down to the
        given depth. A child without properties falls back to the first destination child of
        its type. A child whose key matches nothing is appended, so that it can never
        overwrite an unrelated entry.
    */
    static void mergeTree (const juce::ValueTree& source, juce::ValueTree destination, int depth);

    /** Fills a menu from a folder node of the preset list: subfolders as submenus, presets as
        items with id = preset id + 1.
    */
    static void addPresetsToMenu (juce::PopupMenu& menu, const juce::ValueTree& folder);

    void addListener (PresetListener* listener);
    void removeListener (PresetListener* listener);

    //==========================================================================================
    const juce::ValueTree& getPresetList() const noexcept { return presetList; }
    int getSelectedPresetId() const noexcept { return selectedPresetId; }
    bool isPresetDirty() const noexcept { return presetDirty; }
    int getFirstUserPresetId() const noexcept { return firstUserPresetId; }
    int getUserPresetCount() const noexcept { return userPresetCount; }
    const juce::String& getPresetExtension() const noexcept { return presetExtension; }
    const config::Registry& getConfig() const noexcept { return config; }
    const ProductInfo& getProductInfo() const noexcept { return productInfo; }

    /** The "preset_version" text a preset file gets: the numeric preset version when it is 0 or
        more, otherwise the product's version.
    */
    juce::String getPresetVersionText() const;

protected:
    /** Numeric preset format version; -1 means none. */
    int presetVersion = -1;
    /** When set, validation compares "product_name" and asks isPresetVersionSupported. */
    bool checkProductName = false;

private:
    PresetManager (juce::AudioProcessorValueTreeState& state,
                   ProductInfo product,
                   juce::String extension,
                   config::Registry registry,
                   std::optional<PresetFolders> folders);

    void valueTreePropertyChanged (juce::ValueTree& tree, const juce::Identifier& property) override;

    int scanPresetFolder (const juce::File& folder, int firstId, juce::ValueTree parent, bool factory, int depth);
    void addFilesOfFolder (const juce::File& folder, int firstId, juce::ValueTree& node, int& count);
    template <typename Callback>
    void callListeners (Callback&& callback);
    void clearPresetList();
    void initialiseStateProperties();
    bool differsFromInitialize (const juce::ValueTree& entry) const;

    juce::AudioProcessorValueTreeState& treeState;
    juce::ValueTree presetList{ "preset_list" };
    config::Registry config;
    ProductInfo productInfo;
    juce::ListenerList<PresetListener> listeners;
    juce::String presetExtension;
    int selectedPresetId = -1;
    int userPresetCount = 0;
    int firstUserPresetId = -1;
    bool presetDirty = true;
    std::optional<PresetFolders> folderOverride;

    juce::WeakReference<PresetManager>::Master masterReference;
    friend class juce::WeakReference<PresetManager>;

    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (PresetManager)
};
} // namespace vesk
