// CCloseBtnDlg: "您确定离开游戏么？", asked before the game window closes
// (template 167). OK (Enter) confirms, Cancel (Escape) goes back to the game.
#pragma once

#include "framework.h"

class CCloseBtnDlg : public CDialogEx {
public:
    enum { IDD = 167 };  // IDD_CLOSE_BTN_DLG
    explicit CCloseBtnDlg(CWnd* pParent = nullptr) : CDialogEx(IDD, pParent) {}
    const CRuntimeClass* GetRuntimeClass() const override {
        static const CRuntimeClass info{"CCloseBtnDlg", CDialogEx::GetRuntimeClass()};
        return &info;
    }
};
