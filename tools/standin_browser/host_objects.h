// The page's own objects as scripts see them: window, document, location.
// Small IDispatch classes with a name table; no type information.
#pragma once
#include <oaidl.h>

#include "com_util.h"
#include "script_context.h"

namespace standin {

// Each returns an object with one reference, owned by the caller.
ComPtr<IDispatch> CreateLocationObject(ContextLinkPtr link);
ComPtr<IDispatch> CreateDocumentObject(ContextLinkPtr link, ComPtr<IDispatch> location);
ComPtr<IDispatch> CreateWindowObject(ContextLinkPtr link, ComPtr<IDispatch> location, ComPtr<IDispatch> document);

}  // namespace standin
