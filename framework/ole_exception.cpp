#include "ole_exception.h"
#include "com_ptr.h"
#include "winapp.h"

int CException::ReportError(UINT nType) const {
    CWinApp* app = AfxGetApp();
    return ::MessageBoxA(GetActiveWindow(), GetErrorMessage(), app ? app->m_pszAppName : nullptr, nType);
}

CString COleException::GetErrorMessage() const {
    char* system = nullptr;
    FormatMessageA(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                   nullptr, static_cast<DWORD>(m_sc), 0, reinterpret_cast<char*>(&system), 0, nullptr);
    CString text(system);
    if (system) LocalFree(system);
    text.Trim();
    CString code;
    code.Format("0x%08lX", static_cast<unsigned long>(m_sc));
    return text.IsEmpty() ? code : text + " (" + code + ")";
}

COleDispatchException::COleDispatchException(const EXCEPINFO& info)
    : m_wCode(info.wCode),
      m_scError(info.scode),
      m_strDescription(info.bstrDescription),
      m_strSource(info.bstrSource) {}

CString COleDispatchException::GetErrorMessage() const {
    if (!m_strDescription.IsEmpty()) return m_strDescription;
    CString text;
    if (m_wCode != 0) text.Format("error %u", m_wCode);
    else text = COleException(m_scError).GetErrorMessage();
    return m_strSource.IsEmpty() ? text : m_strSource + ": " + text;
}
