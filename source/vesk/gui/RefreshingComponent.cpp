#include "vesk/gui/RefreshingComponent.h"

namespace vesk
{
RefreshingComponent::RefreshingComponent() = default;
RefreshingComponent::~RefreshingComponent() = default;

void RefreshingComponent::cancelPendingRefresh()
{
    refreshPending.exchange (false);
    pendingArea = {};
}
} // namespace vesk
