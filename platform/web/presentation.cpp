#include "platform/presentation.h"

namespace platform {

// A page presents its canvas once, when the pass that drew it returns to the
// browser; a swap inside the pass presents nothing and leaves the drawing as
// it is.
SwapModel swapModel()
{
    return SwapModel::copies;
}

int backBufferAge()
{
    return 1;
}

}  // namespace platform
