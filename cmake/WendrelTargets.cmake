# Helpers that keep the JUCE modules in one static library and give the project's own
# targets their warning flags.

# The JUCE modules in one static library. Its compile definitions and include paths are
# re-exported so that every consumer (the plug-in wrappers included) sees the same module
# configuration.
function(wendrel_add_juce_library target)
    add_library(${target} STATIC)
    target_link_libraries(${target}
        PRIVATE
            juce::juce_audio_utils
            juce::juce_audio_processors
            juce::juce_audio_formats
            juce::juce_audio_devices
            juce::juce_audio_basics
            juce::juce_gui_extra
            juce::juce_gui_basics
            juce::juce_graphics
            juce::juce_data_structures
            juce::juce_events
            juce::juce_core
        PUBLIC
            juce::juce_recommended_config_flags)
    # Debian's JUCE takes libpng and libjpeg from the system.
    if(TARGET juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
        target_link_libraries(${target} PUBLIC juce::pkgconfig_JUCE_IMG_LINUX_DEPS)
    endif()
    target_compile_definitions(${target}
        PUBLIC
            JUCE_USE_FLAC=0
            JUCE_USE_OGGVORBIS=0
            JUCE_USE_CURL=0
            JUCE_WEB_BROWSER=0
            JUCE_USE_MP3AUDIOFORMAT=0
            JUCE_VST3_CAN_REPLACE_VST2=0
            JUCE_PLUGINHOST_VST3=1
            JUCE_PLUGINHOST_LV2=1
            JUCE_MODAL_LOOPS_PERMITTED=1
            JUCE_DISPLAY_SPLASH_SCREEN=0
            JUCE_REPORT_APP_USAGE=0
            JUCE_SILENCE_XCODE_15_LINKER_WARNING=1
        INTERFACE
            $<TARGET_PROPERTY:${target},COMPILE_DEFINITIONS>)
    target_include_directories(${target} SYSTEM INTERFACE
        $<TARGET_PROPERTY:${target},INCLUDE_DIRECTORIES>)
    set_target_properties(${target} PROPERTIES
        POSITION_INDEPENDENT_CODE TRUE
        VISIBILITY_INLINES_HIDDEN TRUE
        C_VISIBILITY_PRESET hidden
        CXX_VISIBILITY_PRESET hidden)
endfunction()

# JUCE's recommended warnings, as errors, on the project's own code only.
function(wendrel_own_code target)
    target_link_libraries(${target} PRIVATE juce::juce_recommended_warning_flags)
    set_target_properties(${target} PROPERTIES
        COMPILE_WARNING_AS_ERROR ON
        POSITION_INDEPENDENT_CODE TRUE
        VISIBILITY_INLINES_HIDDEN TRUE
        CXX_VISIBILITY_PRESET hidden)
endfunction()
