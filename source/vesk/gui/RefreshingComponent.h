#pragma once

#include "vesk/gui/BaseComponent.h"

#include <atomic>

namespace vesk
{
/** A panel that re-reads the model it shows when told to.

    Derived classes call refresh themselves whenever their model changes. Message thread
    only; the pending flag is atomic so that a future scheduler may raise it from elsewhere.
*/
class RefreshingComponent : public BaseComponent
{
public:
    RefreshingComponent();
    ~RefreshingComponent() override;

    void cancelPendingRefresh() override;

    /** Re-reads the model and updates the component; the derived class decides what the
        flag means.
    */
    virtual void refresh (bool force) = 0;

protected:
    std::atomic<bool> refreshPending{ false };
    juce::Rectangle<int> pendingArea;

private:
    JUCE_DECLARE_NON_COPYABLE_WITH_LEAK_DETECTOR (RefreshingComponent)
};
} // namespace vesk
