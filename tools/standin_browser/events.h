// Raising DWebBrowserEvents2 with the argument shapes of the real control:
// rgvarg in reverse order, every VARIANT argument by reference, Cancel as a
// by-reference VARIANT_BOOL. pDisp names the browser or frame concerned.
#pragma once
#include <string>

#include "connection_point.h"
#include "log.h"

namespace standin {

struct EventSource {
    IDispatch* disp;     // the control's own IDispatch for the top frame
    std::string frame;   // "top" or "frame<N>", for the log
};

// Each returns true when a sink set Cancel.
bool FireBeforeNavigate2(const Sinks& sinks, const EventSource& src, const std::wstring& url, Log* log);
bool FireNavigateError(const Sinks& sinks, const EventSource& src, const std::wstring& url, long status, Log* log);
void FireNavigateComplete2(const Sinks& sinks, const EventSource& src, const std::wstring& url, Log* log);
void FireDocumentComplete(const Sinks& sinks, const EventSource& src, const std::wstring& url, Log* log);
void FireTitleChange(const Sinks& sinks, const std::wstring& title, Log* log);
// Events without arguments: DownloadBegin, DownloadComplete.
void FireNoArguments(const Sinks& sinks, DISPID id, const char* name, Log* log);

}  // namespace standin
