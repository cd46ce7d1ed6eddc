#include "platform/font_system.h"

namespace platform {

FontContext& FontContext::screen()
{
    static FontContext* context = new FontContext;
    return *context;
}

}  // namespace platform
