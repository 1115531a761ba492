// Dialogs from templates under Wine: binding, the modal loop and its
// pre-translation, Enter/Escape/close routing, owners, modeless dialogs.
#include <gtest/gtest.h>
#include "scripted_dialog.h"

namespace {

std::vector<std::string>* g_log = nullptr;
void Log(const std::string& what) { if (g_log) g_log->push_back(what); }

std::string KeyName(WPARAM key) {
    if (key == VK_F2) return "F2";
    if (key == VK_RETURN) return "Enter";
    if (key == VK_ESCAPE) return "Escape";
    return std::string(1, static_cast<char>(key));
}

class LoggingEdit : public CWnd {
public:
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message != WM_KEYDOWN) return FALSE;
        Log("edit:" + KeyName(pMsg->wParam));
        return pMsg->wParam == VK_F2;   // the edit keeps F2 for itself
    }
    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {MapMessage(WM_KEYDOWN, &LoggingEdit::OnKeyDown)};
        static const MessageMap map(CWnd::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnKeyDown(WPARAM key, LPARAM) {
        Log("edit-dispatched:" + KeyName(key));
        return Default();
    }
};

class TestDialog : public ScriptedDialog {
public:
    explicit TestDialog(CWnd* parent = nullptr) : ScriptedDialog(100, parent) { g_log = &log; }
    ~TestDialog() override { g_log = nullptr; }

    void DoDataExchange(CDataExchange* pDX) override {
        if (pDX->m_bSaveAndValidate) ++saves;
        DDX_Control(pDX, 1000, m_edit);
    }
    BOOL PreTranslateMessage(MSG* pMsg) override {
        if (pMsg->message == WM_KEYDOWN) Log("dialog:" + KeyName(pMsg->wParam));
        // The main window's way: no dialog keyboard handling at all.
        if (plainPreTranslate) return CWnd::PreTranslateMessage(pMsg);
        return ScriptedDialog::PreTranslateMessage(pMsg);
    }
    void OnOK() override {
        ++okCalls;
        if (!ignoreOK) ScriptedDialog::OnOK();
    }
    void OnCancel() override {
        ++cancelCalls;
        ScriptedDialog::OnCancel();
    }
    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {
            MapMessage(WM_CREATE, &TestDialog::OnCreate),
            MapMessage(WM_SETTEXT, &TestDialog::OnSetText),
            MapMessage(WM_APP + 1, &TestDialog::OnThrow),
            MapCommand(1000, &TestDialog::OnEditCommand),
        };
        static const MessageMap map(ScriptedDialog::GetMessageMap(), entries);
        return &map;
    }

    LRESULT OnCreate(WPARAM, LPARAM) {
        createdBound = m_hWnd != nullptr && CWnd::FromHandlePermanent(m_hWnd) == this;
        createDefault = Default();
        return createDefault;
    }
    LRESULT OnSetText(WPARAM, LPARAM text) {
        lastSetText = reinterpret_cast<const char*>(text);
        // A nested message first: Default() must still pass on this one.
        ::SendMessageA(m_hWnd, WM_GETTEXTLENGTH, 0, 0);
        return Default();
    }
    LRESULT OnThrow(WPARAM, LPARAM) { throw COleException(E_ACCESSDENIED); }
    void OnEditCommand() { ++editCommands; }

    LoggingEdit m_edit;
    std::vector<std::string> log;
    bool ignoreOK = false, plainPreTranslate = false;
    int okCalls = 0, cancelCalls = 0, saves = 0, editCommands = 0;
    bool createdBound = false;
    LRESULT createDefault = -7;
    std::string lastSetText;
};

void PostKey(CWnd& target, WPARAM key) { ::PostMessageA(target.m_hWnd, WM_KEYDOWN, key, 1); }

}  // namespace

TEST(Dialog, ModalRunBindsWindowAndControlsAndEndsWithTheResult) {
    TestDialog dlg;
    HWND dialogWindow = nullptr, editWindow = nullptr;
    dlg.steps = {[&](ScriptedDialog&) {
        dialogWindow = dlg.m_hWnd;
        editWindow = ::GetDlgItem(dlg.m_hWnd, 1000);
        EXPECT_EQ(&dlg, CWnd::FromHandlePermanent(dialogWindow));
        EXPECT_EQ(editWindow, dlg.m_edit.m_hWnd);
        EXPECT_EQ(&dlg.m_edit, CWnd::FromHandlePermanent(editWindow));
        EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));   // shown by the modal run
        EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(::GetDlgItem(dlg.m_hWnd, IDOK)));   // not bound
        dlg.EndDialog(42);
        return true;
    }};
    EXPECT_EQ(42, dlg.DoModal());
    EXPECT_FALSE(dlg.timedOut);
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_edit.m_hWnd);
    EXPECT_FALSE(IsWindow(dialogWindow));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(dialogWindow));
    EXPECT_EQ(nullptr, CWnd::FromHandlePermanent(editWindow));
}

TEST(Dialog, ClassTableSeesCreationAndDefaultReachesTheDialogManager) {
    TestDialog dlg;
    dlg.steps = {[&](ScriptedDialog&) {
        dlg.SetWindowText("新标题");
        char text[32] = "";
        ::GetWindowTextA(dlg.m_hWnd, text, sizeof text);
        EXPECT_STREQ("新标题", text);
        EXPECT_EQ("新标题", dlg.lastSetText);
        // A command the dialog maps: the edit's own notification is not a click.
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(1000, BN_CLICKED), 0);
        ::SendMessageA(dlg.m_hWnd, WM_COMMAND, MAKEWPARAM(1000, EN_CHANGE),
                       reinterpret_cast<LPARAM>(dlg.m_edit.m_hWnd));
        EXPECT_EQ(1, dlg.editCommands);
        dlg.EndDialog(1);
        return true;
    }};
    dlg.DoModal();
    EXPECT_TRUE(dlg.createdBound);
    EXPECT_EQ(0, dlg.createDefault);
}

namespace {

// Logs its creation and initialisation; its WM_CREATE handler answers as told.
class CreationDialog : public ScriptedDialog {
public:
    explicit CreationDialog(LRESULT answer) : ScriptedDialog(100), m_answer(answer) {}
    const MessageMap* GetMessageMap() const override {
        static const MessageEntry entries[] = {MapMessage(WM_CREATE, &CreationDialog::OnCreate)};
        static const MessageMap map(ScriptedDialog::GetMessageMap(), entries);
        return &map;
    }
    LRESULT OnCreate(WPARAM, LPARAM lParam) {
        const auto* cs = reinterpret_cast<const CREATESTRUCTA*>(lParam);
        log.push_back(cs && (cs->style & WS_POPUP) ? "create" : "create without its record");
        return Default() == 0 ? m_answer : -2;
    }
    BOOL OnInitDialog() override {
        log.push_back("init");
        return ScriptedDialog::OnInitDialog();
    }
    std::vector<std::string> log;

private:
    LRESULT m_answer;
};

}  // namespace

TEST(Dialog, CreationComesBeforeInitialisationAndMinusOneFailsIt) {
    CreationDialog created(0);
    created.steps = {[&](ScriptedDialog&) { created.EndDialog(1); return true; }};
    EXPECT_EQ(1, created.DoModal());
    EXPECT_EQ((std::vector<std::string>{"create", "init"}), created.log);

    CreationDialog refused(-1);
    EXPECT_EQ(-1, refused.DoModal());
    EXPECT_EQ((std::vector<std::string>{"create"}), refused.log);
    EXPECT_EQ(nullptr, refused.m_hWnd);
    CreationDialog modeless(-1);
    EXPECT_FALSE(modeless.Create(100));
    EXPECT_EQ(nullptr, modeless.m_hWnd);
}

TEST(Dialog, KeyForAChildIsPreTranslatedByTheChildThenByTheDialog) {
    TestDialog dlg;
    dlg.steps = {
        [&](ScriptedDialog&) { PostKey(dlg.m_edit, 'A'); return true; },
        [&](ScriptedDialog&) { PostKey(dlg.m_edit, VK_F2); return true; },
        [&](ScriptedDialog&) { dlg.EndDialog(1); return true; },
    };
    dlg.DoModal();
    std::vector<std::string> expected = {"edit:A", "dialog:A", "edit-dispatched:A", "edit:F2"};
    EXPECT_EQ(expected, dlg.log);
}

TEST(Dialog, EnterGoesToOnOKAndADialogWhoseOnOKDoesNothingStaysOpen) {
    TestDialog dlg;
    dlg.ignoreOK = true;
    dlg.steps = {
        [&](ScriptedDialog&) { PostKey(dlg.m_edit, VK_RETURN); return true; },
        [&](ScriptedDialog&) {
            EXPECT_EQ(1, dlg.okCalls);
            EXPECT_TRUE(::IsWindowVisible(dlg.m_hWnd));
            dlg.EndDialog(7);
            return true;
        },
    };
    EXPECT_EQ(7, dlg.DoModal());
    EXPECT_EQ(0, dlg.cancelCalls);
}

TEST(Dialog, EnterWithTheBaseOnOKTakesTheDataAndEndsWithIDOK) {
    TestDialog dlg;
    dlg.steps = {[&](ScriptedDialog&) { PostKey(dlg.m_edit, VK_RETURN); return true; }};
    EXPECT_EQ(IDOK, dlg.DoModal());
    EXPECT_EQ(1, dlg.okCalls);
    EXPECT_EQ(1, dlg.saves);
}

TEST(Dialog, EscapeAndCloseEndInOnCancel) {
    TestDialog escape;
    escape.steps = {[&](ScriptedDialog&) { PostKey(escape.m_edit, VK_ESCAPE); return true; }};
    EXPECT_EQ(IDCANCEL, escape.DoModal());
    EXPECT_EQ(1, escape.cancelCalls);

    TestDialog close;
    close.steps = {[&](ScriptedDialog&) { ::PostMessageA(close.m_hWnd, WM_CLOSE, 0, 0); return true; }};
    EXPECT_EQ(IDCANCEL, close.DoModal());
    EXPECT_EQ(1, close.cancelCalls);
    EXPECT_FALSE(close.timedOut);
}

TEST(Dialog, WindowPreTranslationOnlyLeavesEscapeAndEnterToTheFocusedControl) {
    TestDialog dlg;
    dlg.plainPreTranslate = true;
    dlg.steps = {
        [&](ScriptedDialog&) { PostKey(dlg.m_edit, VK_ESCAPE); return true; },
        [&](ScriptedDialog&) { PostKey(dlg.m_edit, VK_RETURN); return true; },
        [&](ScriptedDialog&) { dlg.EndDialog(5); return true; },
    };
    EXPECT_EQ(5, dlg.DoModal());
    EXPECT_EQ(0, dlg.cancelCalls);
    EXPECT_EQ(0, dlg.okCalls);
    EXPECT_NE(dlg.log.end(), std::find(dlg.log.begin(), dlg.log.end(), "edit-dispatched:Escape"));
}

TEST(Dialog, OwnerIsTheMainWindowDisabledWhileModalAndEnabledAfter) {
    TestDialog owner;
    ASSERT_TRUE(owner.Create(100));
    owner.ShowWindow(SW_SHOWNORMAL);
    owner.SetWindowPos(nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    AfxGetApp()->m_pMainWnd = &owner;
    TestDialog modal;   // no parent: the application's main window owns it
    modal.steps = {[&](ScriptedDialog&) {
        EXPECT_EQ(owner.m_hWnd, ::GetWindow(modal.m_hWnd, GW_OWNER));
        EXPECT_FALSE(::IsWindowEnabled(owner.m_hWnd));
        RECT o, m;
        owner.GetWindowRect(&o);
        modal.GetWindowRect(&m);
        EXPECT_NEAR((o.left + o.right) / 2, (m.left + m.right) / 2, 1);   // centred over it
        EXPECT_NEAR((o.top + o.bottom) / 2, (m.top + m.bottom) / 2, 1);
        modal.EndDialog(IDOK);
        return true;
    }};
    EXPECT_EQ(IDOK, modal.DoModal());
    EXPECT_TRUE(::IsWindowEnabled(owner.m_hWnd));
    AfxGetApp()->m_pMainWnd = nullptr;
    owner.DestroyWindow();
    EXPECT_EQ(nullptr, owner.m_hWnd);
}

TEST(Dialog, ModelessCreateRunsInitWithoutShowingAndEndDialogHides) {
    TestDialog parent;
    ASSERT_TRUE(parent.Create(100));
    TestDialog dlg;
    bool initialised = false;
    dlg.onInit = [&](ScriptedDialog&) { initialised = true; };
    ASSERT_TRUE(dlg.Create(100, &parent));
    EXPECT_TRUE(initialised);
    EXPECT_EQ(parent.m_hWnd, ::GetWindow(dlg.m_hWnd, GW_OWNER));
    EXPECT_FALSE(::IsWindowVisible(dlg.m_hWnd));   // template 100 is not WS_VISIBLE
    EXPECT_TRUE(::IsWindowEnabled(parent.m_hWnd));
    dlg.ShowWindow(SW_SHOW);
    dlg.EndDialog(IDOK);
    EXPECT_FALSE(::IsWindowVisible(dlg.m_hWnd));
    EXPECT_NE(nullptr, dlg.m_hWnd);
    parent.DestroyWindow();   // takes its owned dialog along
    EXPECT_EQ(nullptr, dlg.m_hWnd);
    EXPECT_EQ(nullptr, dlg.m_edit.m_hWnd);
}

TEST(Dialog, ExceptionInAHandlerIsReportedInAMessageBoxAndTheDialogGoesOn) {
    TestDialog dlg;
    std::string boxText;
    dlg.steps = {
        [&](ScriptedDialog&) {
            MessageBoxWatcher watcher(AfxGetApp()->m_pszAppName);
            ::SendMessageA(dlg.m_hWnd, WM_APP + 1, 0, 0);   // throws inside the window procedure
            boxText = watcher.Text();
            return true;
        },
        [&](ScriptedDialog&) { dlg.EndDialog(3); return true; },
    };
    EXPECT_EQ(3, dlg.DoModal());
    EXPECT_NE(std::string::npos, boxText.find("0x80070005")) << boxText;
}

TEST(Dialog, MissingTemplateFailsTheModalRun) {
    ScriptedDialog missing(999);
    EXPECT_EQ(-1, missing.DoModal());
    EXPECT_EQ(nullptr, missing.m_hWnd);
}
