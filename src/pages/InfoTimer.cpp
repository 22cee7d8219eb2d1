#include "pages/InfoFigures.h"

#include "framework/window/Timer.h"

namespace klarvo {

// Apart from the figures, which need no window timer.
void ComponentTimer::Restart()
{
    timer_.SetEnabled(false);
    timer_.SetEnabled(true);
}

void ComponentTimer::Stop()
{
    timer_.SetEnabled(false);
}

} // namespace klarvo
