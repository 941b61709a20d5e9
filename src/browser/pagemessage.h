#pragma once
// A page's message box request (the engine's numeric box type and answer) in the
// program's own message box terms.
#include "dialogs/messagebox.h"

namespace mira {

// The box's kind and buttons from the engine's numeric type.
MsgType PageMessageType(int type);
MsgButtons PageMessageButtons(int type);
// The engine's answer for the box's modal result.
int PageMessageResult(int modalResult);

} // namespace mira
