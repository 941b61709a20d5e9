#include "browser/pagemessage.h"

#include "platform/webcontrol.h"

namespace mira {

using namespace platform;

// The engine's numeric box type as the program's message box takes it.
MsgType PageMessageType(int type)
{
    switch (type & 0xF0) {
    case MB_ICONERROR: return MsgType::Error;
    case MB_ICONQUESTION: return MsgType::Confirmation;
    case MB_ICONWARNING: return MsgType::Warning;
    default: return MsgType::Information;
    }
}

MsgButtons PageMessageButtons(int type)
{
    switch (type & 7) {
    case MB_OK: return mbOK;
    case MB_OKCANCEL: return mbOK | mbCancel;
    case 3: return mbYes | mbNo | mbCancel; // yes, no, cancel
    case MB_YESNO: return mbYes | mbNo;
    default: return mbOK | mbCancel; // abort/retry/ignore, retry/cancel
    }
}

int PageMessageResult(int modalResult)
{
    switch (modalResult) {
    case mrOK: return IDOK;
    case mrYes: return IDYES;
    case mrNo: return IDNO;
    default: return IDCANCEL;
    }
}

} // namespace mira
