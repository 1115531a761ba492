// Message tables: each window class lists the messages and commands it handles
// and the member function for each; the class's table chains to its base's.
//
//   const MessageMap* CMyDlg::GetMessageMap() const {
//       static const MessageEntry entries[] = {
//           MapMessage(WM_PAINT, &CMyDlg::OnPaint),        // LRESULT OnPaint(WPARAM, LPARAM)
//           MapCommand(1006, &CMyDlg::OnBnClickedClose),   // void OnBnClickedClose()
//       };
//       static const MessageMap map(CDialogEx::GetMessageMap(), entries);
//       return &map;
//   }
//
// A message handler gets the raw wParam/lParam and returns the message result;
// it calls Default() where the framework's own handling should run as well.
#pragma once
#include <windows.h>
#include <cstddef>

class CWnd;

using MessageHandler = LRESULT (CWnd::*)(WPARAM, LPARAM);
using CommandHandler = void (CWnd::*)();

struct MessageEntry {
    UINT message;            // WM_xxx; WM_COMMAND for command entries
    UINT commandId;          // command entries: the command or control id
    MessageHandler onMessage;
    CommandHandler onCommand;
};

struct MessageMap {
    template <size_t N>
    MessageMap(const MessageMap* baseMap, const MessageEntry (&table)[N])
        : base(baseMap), entries(table), count(N) {}
    MessageMap(const MessageMap* baseMap) : base(baseMap), entries(nullptr), count(0) {}

    const MessageMap* base;
    const MessageEntry* entries;
    size_t count;
};

// A window message, handled by LRESULT T::handler(WPARAM, LPARAM).
template <class T>
MessageEntry MapMessage(UINT message, LRESULT (T::*handler)(WPARAM, LPARAM)) {
    return {message, 0, static_cast<MessageHandler>(handler), nullptr};
}

// A WM_COMMAND id: menu item, accelerator, or a button's BN_CLICKED.
template <class T>
MessageEntry MapCommand(UINT id, void (T::*handler)()) {
    return {WM_COMMAND, id, nullptr, static_cast<CommandHandler>(handler)};
}
