#pragma once
// What a failed load of a page means for a pane, in neutral terms: the engine's error
// domains and codes come in, a kind and the program's own words go out.
#include <QString>

namespace mira::platform {

// Where an error code comes from (mirrors the engine's error domains).
enum class LoadErrorDomain {
    None,
    Internal,
    Connection,
    Certificate,
    Http,
    Ftp,
    Dns,
    HttpStatus,
};

enum class LoadEnd {
    Success,  // the page is there
    Aborted,  // stopped or replaced by another navigation: nothing to say
    Answered, // the server answered with a page of its own (4xx): it stays
    Failed,   // no page: the server did not answer or failed (5xx)
};

LoadEnd ClassifyLoadEnd(bool ok, LoadErrorDomain domain, int code);

// The reason of a failed load in the program's words; engineText when nothing better.
QString LoadErrorText(LoadErrorDomain domain, int code, const QString &engineText);

} // namespace mira::platform
