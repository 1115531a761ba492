#include "ole_exception.h"
#include <cstdio>
#include <string>
#include "winapp.h"

int CException::ReportError(UINT nType) const {
    CWinApp* app = AfxGetApp();
    return ::MessageBoxA(GetActiveWindow(), GetErrorMessage(), app ? app->m_pszAppName : nullptr, nType);
}

CString COleException::GetErrorMessage() const {
    char* system = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(m_sc), 0, reinterpret_cast<char*>(&system), 0, nullptr);
    std::string text = system ? system : "";
    if (system) LocalFree(system);
    // The system's text ends with a line break.
    while (!text.empty() && (text.back() == '\r' || text.back() == '\n' || text.back() == ' ')) text.pop_back();
    char code[16];
    snprintf(code, sizeof code, "0x%08lX", static_cast<unsigned long>(m_sc));
    return CString(text.empty() ? std::string(code) : text + " (" + code + ")");
}

COleDispatchException::COleDispatchException(const EXCEPINFO& info)
    : m_wCode(info.wCode),
      m_scError(info.scode),
      m_strDescription(info.bstrDescription),
      m_strSource(info.bstrSource) {}

CString COleDispatchException::GetErrorMessage() const {
    if (!m_strDescription.IsEmpty()) return m_strDescription;
    std::string text = "error " + std::to_string(m_wCode);
    if (m_wCode == 0) text = COleException(m_scError).GetErrorMessage().str();
    return CString(m_strSource.IsEmpty() ? text : m_strSource.str() + ": " + text);
}
