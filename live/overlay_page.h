// GET /overlay: the page a streaming program's browser source shows. It
// draws the frames of the events socket on a transparent body; its policy
// lets it run its own script and talk to this server, and nothing else.
#pragma once

#include "live/http_message.h"

namespace horavia::live {

HttpResponse OverlayPageResponse();

}  // namespace horavia::live
