// A strict little ActiveX control for the container's side of the contract:
// registered for this process only, it logs what its container does to it,
// in order, and checks the container while it still may use it.
#pragma once
#include <windows.h>
#include <ocidl.h>
#include <string>
#include <vector>

// {6B1C0D55-0A3E-4F31-9C2B-5E7A40D1C0DE}
extern const CLSID CLSID_FakeControl;
// {6B1C0D56-0A3E-4F31-9C2B-5E7A40D1C0DE}: its event interface
extern const IID DIID_FakeEvents;

class FakeControl;

// Registers the class for the test's lifetime.
class FakeControlClass {
public:
    FakeControlClass();
    ~FakeControlClass();
    static std::vector<std::string>& Log();
    static FakeControl* Last();   // the control created last (not owned)
    static LONG LiveObjects();
private:
    DWORD m_cookie = 0;
};

// Fires event dispid 7 with one BSTR argument on the last control's sinks.
void FireFakeEvent(const wchar_t* text);
