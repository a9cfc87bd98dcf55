// The masked edit on a real edit control: keys posted to it through the
// framework's pre-translation and the system's translation, the clipboard,
// undo, and the plain edit's behaviour without a mask or while read-only.
#include "MaskEdit.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "ClipboardText.h"
#include "DibCanvas.h"

namespace {

const int kEditId = 100;

// Counts what the control reports instead of only beeping.
class CCountingMaskEdit : public CJVKMaskEdit {
 public:
  void OnInputError() override { ++m_nInputErrors; }
  void OnInvalidChar(TCHAR, TCHAR chMask) override {
    ++m_nInvalidChars;
    m_chLastMask = chMask;
  }
  int Beeps() const { return m_nInputErrors + m_nInvalidChars; }
  int m_nInputErrors = 0;
  int m_nInvalidChars = 0;
  TCHAR m_chLastMask = 0;
};

// Dispatches the thread's messages as the framework's loop does.
void Pump() {
  MSG msg;
  while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
    if (!AfxPreTranslateMessage(&msg)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageA(&msg);
    }
  }
}

// The modifier keys as the thread sees them (GetKeyState).
void SetModifiers(BOOL bCtrl, BOOL bShift) {
  BYTE state[256];
  ::GetKeyboardState(state);
  for (int vk : {VK_CONTROL, VK_LCONTROL}) state[vk] = bCtrl ? 0x80 : 0;
  for (int vk : {VK_SHIFT, VK_LSHIFT}) state[vk] = bShift ? 0x80 : 0;
  ::SetKeyboardState(state);
}

class MaskEdit : public ::testing::Test {
 protected:
  void SetUp() override {
    ASSERT_TRUE(m_parent.CreateEx(0, AfxRegisterWndClass(0), "Mask edit test", WS_POPUP | WS_VISIBLE, 20, 20, 240,
                                  60, nullptr, nullptr));
    ASSERT_TRUE(m_edit.Create(WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL, CRect(10, 10, 230, 40), &m_parent,
                              kEditId));
    m_edit.SetFocus();
    Pump();
  }
  void TearDown() override {
    SetModifiers(FALSE, FALSE);
    m_parent.DestroyWindow();
    Pump();
  }

  void Open(LPCTSTR mask, LPCTSTR literal, LPCTSTR text = nullptr) {
    ASSERT_TRUE(m_edit.SetEditMask(mask, literal, text));
    ASSERT_TRUE(m_edit.IsMaskedMode());
    Pump();
  }
  // Typed characters, as the system's translation of keys gives them.
  void Type(const char* pszText) {
    for (const char* p = pszText; *p; ++p) m_edit.PostMessage(WM_CHAR, static_cast<BYTE>(*p), 1);
    Pump();
  }
  // A key pressed and released, with the modifiers held.
  void Key(UINT vk, BOOL bCtrl = FALSE, BOOL bShift = FALSE) {
    SetModifiers(bCtrl, bShift);
    const UINT nScan = ::MapVirtualKeyA(vk, MAPVK_VK_TO_VSC);
    const BOOL bExtended = vk == VK_INSERT || vk == VK_DELETE || vk == VK_HOME || vk == VK_END || vk == VK_LEFT ||
                           vk == VK_RIGHT || vk == VK_UP || vk == VK_DOWN;
    const LPARAM lParam = 1 | (static_cast<LPARAM>(nScan) << 16) | (bExtended ? (1 << 24) : 0);
    m_edit.PostMessage(WM_KEYDOWN, vk, lParam);
    Pump();
    m_edit.PostMessage(WM_KEYUP, vk, lParam | 0xC0000000);
    Pump();
    SetModifiers(FALSE, FALSE);
  }
  void Sel(int nStart, int nEnd) { m_edit.SetSel(nStart, nEnd); }
  std::string Text() const {
    CString s;
    m_edit.GetWindowText(s);
    return static_cast<LPCTSTR>(s);
  }
  int Caret() const {
    int nStart = 0, nEnd = 0;
    m_edit.GetSel(nStart, nEnd);
    return nStart == nEnd ? nStart : -1;
  }

  CWnd m_parent;
  CCountingMaskEdit m_edit;
};

TEST_F(MaskEdit, TypingFollowsTheMask) {
  Open("00/00", "__/__");
  EXPECT_EQ(Text(), "__/__");
  Sel(0, 0);
  Type("123");
  EXPECT_EQ(Text(), "12/3_");
  EXPECT_EQ(Caret(), 4);
  Type("a");
  EXPECT_EQ(Text(), "12/3_");
  EXPECT_EQ(m_edit.m_nInvalidChars, 1);
  EXPECT_EQ(m_edit.m_chLastMask, '0');
  EXPECT_TRUE(m_edit.IsMaskModified());
}

TEST_F(MaskEdit, KeysAreTranslatedIntoTypedCharacters) {
  Open("00/00", "__/__");
  Sel(0, 0);
  Key('4');
  Key('2');
  Key(VK_SPACE);
  EXPECT_EQ(Text(), "42/__") << "the space key put a prompt in, its character was passed over";
  EXPECT_EQ(Caret(), 4);
}

TEST_F(MaskEdit, InsertTogglesOvertype) {
  Open("00/00", "__/__", "12/34");
  Sel(0, 0);
  Key(VK_INSERT);
  EXPECT_TRUE(m_edit.IsOverType());
  Type("9");
  EXPECT_EQ(Text(), "92/34");
  Key(VK_INSERT);
  EXPECT_FALSE(m_edit.IsOverType());
  Type("8");
  EXPECT_EQ(Text(), "98/23");
}

TEST_F(MaskEdit, BackspaceAndDeleteKeepTheLiteral) {
  Open("00/00", "__/__", "12/3_");
  Sel(4, 4);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "12/__") << "one character, the key's character passed over";
  EXPECT_EQ(Caret(), 3);
  Key(VK_BACK);
  EXPECT_EQ(Text(), "1_/__") << "over the slash";
  EXPECT_EQ(Caret(), 1);
  m_edit.SetWindowText("12/34");
  Sel(0, 0);
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "23/4_");
  EXPECT_EQ(Caret(), 0);
  Sel(0, 0);
  Key(VK_BACK);
  EXPECT_EQ(m_edit.m_nInputErrors, 1) << "nothing before the caret";
}

TEST_F(MaskEdit, CaretKeysStayOnTheInputPositions) {
  Open("(000)", "(___)", "(123)");
  Sel(2, 2);
  Key(VK_END);
  EXPECT_EQ(Caret(), 4);
  Key(VK_RIGHT);
  EXPECT_EQ(Caret(), 4);
  Key(VK_HOME);
  EXPECT_EQ(Caret(), 1);
  Key(VK_LEFT);
  EXPECT_EQ(Caret(), 1);
  Key(VK_RIGHT);
  EXPECT_EQ(Caret(), 2) << "within the field the window moves the caret";
  Key(VK_END, FALSE, TRUE);
  int nStart = 0, nEnd = 0;
  m_edit.GetSel(nStart, nEnd);
  EXPECT_EQ(nStart, 2);
  EXPECT_EQ(nEnd, 4);
}

TEST_F(MaskEdit, UndoAndRedoByKeyMessageAndCommand) {
  Open("00/00", "__/__");
  Sel(0, 0);
  Type("12");
  Key('Z', TRUE);
  EXPECT_EQ(Text(), "__/__");
  Key('Z', TRUE);
  EXPECT_EQ(Text(), "12/__") << "the second undo redoes";
  m_edit.SendMessage(WM_UNDO, 0, 0);
  EXPECT_EQ(Text(), "__/__");
  m_edit.SendMessage(WM_COMMAND, ID_EDIT_UNDO, 0);
  EXPECT_EQ(Text(), "12/__");
  EXPECT_EQ(m_edit.Beeps(), 0) << "no Ctrl+Z character reached the mask";
}

TEST_F(MaskEdit, CopyCutAndPasteThroughTheClipboard) {
  Open("00/00", "__/__", "12/34");
  Sel(0, 5);
  Key('C', TRUE);
  EXPECT_EQ(ClipboardText(), "1234") << "without the slash";
  Sel(1, 4);
  Key('X', TRUE);
  EXPECT_EQ(ClipboardText(), "23");
  EXPECT_EQ(Text(), "14/__");

  m_edit.SetWindowText("__/__");
  PutClipboardText("1a2");
  Sel(0, 0);
  Key('V', TRUE);
  EXPECT_EQ(Text(), "12/__") << "the letter is dropped";
  EXPECT_EQ(Caret(), 3);
  Key('Z', TRUE);
  EXPECT_EQ(Text(), "__/__") << "a paste is one undo step";
  EXPECT_EQ(m_edit.Beeps(), 0);
}

TEST_F(MaskEdit, InsertAndDeleteKeysWithModifiersAndMessages) {
  Open("00/00", "__/__", "12/34");
  Sel(0, 2);
  Key(VK_INSERT, TRUE);
  EXPECT_EQ(ClipboardText(), "12");
  Sel(3, 5);
  Key(VK_DELETE, FALSE, TRUE);
  EXPECT_EQ(ClipboardText(), "34") << "Shift+Delete copies first";
  EXPECT_EQ(Text(), "12/__");
  Sel(3, 3);
  Key(VK_INSERT, FALSE, TRUE);
  EXPECT_EQ(Text(), "12/34") << "Shift+Insert pastes";
  EXPECT_FALSE(m_edit.IsOverType());

  m_edit.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
  m_edit.SendMessage(WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "1234");
  m_edit.SendMessage(WM_CLEAR, 0, 0);
  EXPECT_EQ(Text(), "__/__");
  m_edit.SendMessage(WM_PASTE, 0, 0);
  EXPECT_EQ(Text(), "12/34");
  Sel(0, 2);
  m_edit.SendMessage(WM_CUT, 0, 0);
  EXPECT_EQ(Text(), "34/__");
  EXPECT_EQ(ClipboardText(), "12");
}

TEST_F(MaskEdit, PasteIsBoundedByTheClipboardBlock) {
  // Freed blocks full of digits lie about, so a read behind the clipboard
  // block would likely find digits rather than a NUL.
  for (int i = 0; i < 64; ++i) {
    HGLOBAL h = ::GlobalAlloc(GMEM_FIXED, 16);
    memset(h, '9', 16);
    ::GlobalFree(h);
  }
  Open("00000000", "________");
  // Three digits and no terminating NUL.
  HGLOBAL hGlobal = ::GlobalAlloc(GMEM_MOVEABLE, 3);
  memcpy(::GlobalLock(hGlobal), "123", 3);
  ::GlobalUnlock(hGlobal);
  PutClipboardBlock(hGlobal);
  Sel(0, 0);
  m_edit.Paste();
  // Wine's clipboard takes the last byte of such a block for its
  // terminator; nothing behind the block may come in either way.
  const std::string text = Text();
  EXPECT_TRUE(text == "123_____" || text == "12______") << text;
  EXPECT_EQ(Caret(), text == "123_____" ? 3 : 2);
}

TEST_F(MaskEdit, KeypadSignsAreTyped) {
  Open("#0", "__");
  Sel(0, 0);
  Key(VK_SUBTRACT);
  EXPECT_EQ(Text(), "-_");
  Key(VK_ADD);
  EXPECT_EQ(Text(), "-_") << "the digit position refuses +";
  EXPECT_EQ(m_edit.m_nInvalidChars, 1);
}

TEST_F(MaskEdit, FocusPutsTheCaretOnAnInputPosition) {
  Open("(000)", "(___)");
  m_parent.SetFocus();
  Sel(0, 0);
  m_edit.SetFocus();
  Pump();
  EXPECT_EQ(Caret(), 1);
}

TEST_F(MaskEdit, PromptCharacterRedraws) {
  Open("00/00", "__/__", "12");
  m_edit.SetPromptChar('*');
  EXPECT_EQ(Text(), "12/**");
  EXPECT_EQ(m_edit.GetLiteral(), CString("**/**"));
  Sel(3, 3);
  Type("5");
  EXPECT_EQ(Text(), "12/5*");
}

TEST_F(MaskEdit, MismatchedMaskIsRefused) {
  Open("00/00", "__/__", "12/34");
  EXPECT_FALSE(m_edit.SetEditMask("000", "__/__"));
  EXPECT_EQ(m_edit.GetMask(), CString("00/00"));
  EXPECT_EQ(Text(), "12/34");
}

// The field paints its literal and prompt characters as text.
// UIKIT_MASKEDIT_SNAPSHOT names a file to look at the painted field.
TEST_F(MaskEdit, PaintsTheFieldText) {
  CRect rc;
  m_edit.GetClientRect(&rc);
  CDibCanvas blank(rc.Width(), rc.Height(), RGB(255, 255, 255));
  m_edit.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(blank.DC()->m_hDC), PRF_CLIENT | PRF_ERASEBKGND);
  Open("(000) 000-0000", "(___) ___-____", "0301234567");
  CDibCanvas canvas(rc.Width(), rc.Height(), RGB(255, 255, 255));
  m_edit.SendMessage(WM_PRINTCLIENT, reinterpret_cast<WPARAM>(canvas.DC()->m_hDC), PRF_CLIENT | PRF_ERASEBKGND);
  if (const char* path = getenv("UIKIT_MASKEDIT_SNAPSHOT")) canvas.Save(path);
  int nInkBlank = 0, nInk = 0;
  for (int y = 0; y < rc.Height(); ++y) {
    for (int x = 0; x < rc.Width(); ++x) {
      if (GetRValue(blank.Pixel(x, y)) < 128) ++nInkBlank;
      if (GetRValue(canvas.Pixel(x, y)) < 128) ++nInk;
    }
  }
  EXPECT_EQ(Text(), "(030) 123-4567");
  EXPECT_EQ(nInkBlank, 0) << "an empty field";
  EXPECT_GT(nInk, 50) << "fourteen characters of text";
}

// Without the masked mode the control is a plain edit: typing, the keys and
// the clipboard are the window's own.
TEST_F(MaskEdit, WithoutAMaskItIsAPlainEdit) {
  EXPECT_FALSE(m_edit.IsMaskedMode());
  Type("ab/c");
  EXPECT_EQ(Text(), "ab/c");
  Sel(0, 4);
  Key('C', TRUE);
  EXPECT_EQ(ClipboardText(), "ab/c");
  Sel(4, 4);
  m_edit.Paste();
  EXPECT_EQ(Text(), "ab/cab/c");
  Key(VK_BACK);
  EXPECT_EQ(Text(), "ab/cab/");
  EXPECT_EQ(m_edit.Beeps(), 0);
}

TEST_F(MaskEdit, MaskSwitchedOffIsAPlainEdit) {
  Open("00/00", "__/__", "12/34");
  m_edit.SetUseMask(FALSE);
  EXPECT_FALSE(m_edit.IsMaskedMode());
  Sel(5, 5);
  Type("xy");
  EXPECT_EQ(Text(), "12/34xy");
  Sel(0, 7);
  m_edit.Copy();
  EXPECT_EQ(ClipboardText(), "12/34xy");
  m_edit.SetUseMask(TRUE);
  m_edit.SendMessage(WM_COMMAND, ID_EDIT_SELECT_ALL, 0);
  m_edit.Copy();
  EXPECT_EQ(ClipboardText(), "1234") << "masked again: the text is fitted to the literal";
}

TEST_F(MaskEdit, ReadOnlyFallsBackToThePlainEdit) {
  Open("00/00", "__/__", "12/34");
  m_edit.SetReadOnly(TRUE);
  EXPECT_FALSE(m_edit.IsMaskedMode());
  Sel(0, 0);
  Type("9");
  Key(VK_DELETE);
  EXPECT_EQ(Text(), "12/34");
  Sel(0, 5);
  m_edit.SendMessage(WM_COPY, 0, 0);
  EXPECT_EQ(ClipboardText(), "12/34") << "the plain edit copies the literal too";
  PutClipboardText("99");
  m_edit.Paste();
  EXPECT_EQ(Text(), "12/34");
  EXPECT_EQ(m_edit.Beeps(), 0);
}

}  // namespace
