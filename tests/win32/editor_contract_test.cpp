// The editor contract against the real EDIT control, created as the main window
// creates Memo1: multi-line, wrapping, in a parent that hands EN_CHANGE to the adapter.
#include "contract/editor_contract.h"
#include "win32/ansi_text.h"
#include "win32/edit_adapter.h"

#include <windows.h>

namespace {

tavrin::win32::EditAdapter* current = nullptr;

LRESULT CALLBACK hostProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_COMMAND && HIWORD(wp) == EN_CHANGE && current) current->controlChanged();
  return DefWindowProcA(hwnd, msg, wp, lp);
}

struct Host {
  HWND parent = nullptr;
  HWND edit = nullptr;
  Host() {
    WNDCLASSA wc{};
    wc.lpfnWndProc = hostProc;
    wc.hInstance = GetModuleHandleA(nullptr);
    wc.lpszClassName = "EditorContractHost";
    RegisterClassA(&wc);
    parent = CreateWindowExA(0, "EditorContractHost", "host", WS_OVERLAPPEDWINDOW, 0, 0, 500, 400,
                             nullptr, nullptr, wc.hInstance, nullptr);
    // Narrow enough that a long line wraps on the screen.
    edit = tavrin::win32::EditAdapter::createControl(
        parent, WS_VSCROLL | ES_MULTILINE | ES_AUTOVSCROLL | ES_WANTRETURN, 1, {0, 0, 400, 300});
  }
  ~Host() { DestroyWindow(parent); }
};

class HostedEditor : public tavrin::win32::EditAdapter {
public:
  explicit HostedEditor(std::unique_ptr<Host> host)
      : EditAdapter(host->edit), host_(std::move(host)) {
    current = this;
  }
  ~HostedEditor() override { current = nullptr; }

private:
  std::unique_ptr<Host> host_;
};

struct RealEditFactory {
  static std::unique_ptr<tavrin::Editor> make() {
    return std::make_unique<HostedEditor>(std::make_unique<Host>());
  }
  static std::pair<std::size_t, std::size_t> selection(tavrin::Editor& editor) {
    DWORD start = 0, end = 0;
    SendMessageA(static_cast<HostedEditor&>(editor).hwnd(), EM_GETSEL,
                 reinterpret_cast<WPARAM>(&start), reinterpret_cast<LPARAM>(&end));
    return {start, end};
  }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(RealEdit, EditorContract, ::testing::Types<RealEditFactory>);

TEST(RealEdit, HoldsMoreThanTheControlsDefaultLimitAndInsertsPastIt) {
  auto editor = RealEditFactory::make();
  std::string big;
  while (big.size() < 40000)
    big += "\tld hl,0\t;\tNote that 0 is the row\r\n";
  editor->setText(big);
  editor->insertAtEnd({"\r\nret"});
  EXPECT_EQ(editor->text().size(), big.size() + 5);
  EXPECT_EQ(editor->tail(2), "et");
  EXPECT_EQ(editor->text().substr(big.size()), "\r\nret");
}

TEST(RealEdit, AnAppendedLineCannotBeUndone) {
  auto editor = RealEditFactory::make();
  HWND edit = static_cast<HostedEditor&>(*editor).hwnd();
  editor->setText("start");
  editor->insertAtEnd({"\r\n\tret", "\r\n\tret"});
  SendMessageA(edit, EM_UNDO, 0, 0);
  EXPECT_EQ(editor->text(), "start\r\n\tret\r\n\tret");
}

// The control keeps UTF-16 and the adapter converts: every byte of the code page comes
// back as it went in, through the whole text, its tail and a typed-in line.
TEST(RealEdit, EveryByteOfTheCodePageComesBackUnchanged) {
  auto editor = RealEditFactory::make();
  std::string all;
  for (int c = 1; c < 256; ++c)
    if (c != '\r' && c != '\n') all += static_cast<char>(c);
  const std::string text = "\tld a,'\xe9'\r\n" + all;
  editor->setText(text);
  EXPECT_EQ(editor->text(), text);
  EXPECT_EQ(editor->tail(3), "\xfd\xfe\xff");
  editor->insertAtEnd({"\r\n; caf\xe9 \x80"});
  EXPECT_EQ(editor->text(), text + "\r\n; caf\xe9 \x80");
  EXPECT_EQ(tavrin::test::splitLines(editor->text()).at(1), all);
  editor->select(text.size() + 2, 6);
  EXPECT_EQ((RealEditFactory::selection(*editor)),
            (std::pair<std::size_t, std::size_t>(text.size() + 2, text.size() + 8)));
}

// A save reads the text out in pieces: joined they are the whole text, also when it is
// longer than a piece and has characters outside ASCII on either side of a piece's end.
TEST(RealEdit, TheTextReadInPiecesIsTheWholeText) {
  auto editor = RealEditFactory::make();
  std::string text;
  while (text.size() < 200000)
    text += "\tld a,'\xe9'\t; caf\xe9 \x80\r\n";
  editor->setText(text);
  std::string joined;
  int pieces = 0;
  editor->readText([&](std::string_view piece) {
    joined += piece;
    ++pieces;
  });
  EXPECT_GT(pieces, 1);
  EXPECT_EQ(joined, text);
}

// The control's text converts with the system's code page, so that is the one checked.
TEST(RealEdit, KeepsTheBytesThatAreTextInTheSystemsCodePage) {
  auto editor = RealEditFactory::make();
  EXPECT_EQ(editor->codePage(), GetACP());
  for (std::string text : {"\tret\r\n", "\t.db \"\x82\xa0\"", "\t.db \"\x82\r\n", "\xe9"}) {
    SCOPED_TRACE(::testing::PrintToString(text));
    EXPECT_EQ(editor->keepsBytes(text), tavrin::win32::validInCodePage(text, GetACP()));
  }
}
