// The application object every framework program has.
#include "framework.h"

CWinApp theApp;
