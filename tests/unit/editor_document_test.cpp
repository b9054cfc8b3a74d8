#include "core/error.h"
#include "document/editor_document.h"
#include "fakes/fake_document_view.h"
#include "fakes/fake_editor.h"
#include "fakes/fake_file_system.h"

#include <gtest/gtest.h>

#include <string>

namespace {

using namespace std::string_literals;

class EditorDocumentTest : public ::testing::Test {
protected:
  tavrin::fakes::FakeEditor editor;
  tavrin::fakes::FakeDocumentView view;
  tavrin::fakes::FakeFileSystem fs;
  tavrin::EditorDocument doc{editor, view, fs};

  // Everything a failed operation must leave alone.
  struct State {
    std::string text, caption, name, date;
    int changed;
    bool save;
    bool operator==(const State&) const = default;
    friend void PrintTo(const State& s, std::ostream* os) {
      *os << ::testing::PrintToString(s.text) << " bar " << ::testing::PrintToString(s.caption)
          << " name " << ::testing::PrintToString(s.name) << " changed " << s.changed << " save "
          << s.save << " date " << s.date;
    }
  };
  State state() {
    return {editor.content, view.caption,        doc.sourceFileName(),
            view.dateText,  doc.sourceChanged(), view.saveOn};
  }
};

TEST_F(EditorDocumentTest, TypingMarksChangedAndAddsTheSuffixOnce) {
  doc.markClean("C:\\src\\a.z80");
  editor.type("x");
  EXPECT_EQ(doc.sourceChanged(), 1);
  EXPECT_EQ(view.caption, "C:\\src\\a.z80 *");
  EXPECT_TRUE(view.saveOn);
  editor.type("y");
  EXPECT_EQ(view.caption, "C:\\src\\a.z80 *");
}

TEST_F(EditorDocumentTest, TypingIntoANewDocumentNamesItNoNameChanged) {
  editor.type("x");
  EXPECT_EQ(view.caption, "NoName *");
}

TEST_F(EditorDocumentTest, EmptyNameBarStaysEmptyOnChange) {
  doc.markClean("");
  doc.textChanged();
  EXPECT_EQ(view.caption, "");
  EXPECT_EQ(doc.sourceChanged(), 1);
  EXPECT_TRUE(view.saveOn);
}

TEST_F(EditorDocumentTest, MarkCleanNamesTheDocumentAndDisablesSave) {
  editor.type("x");
  doc.markClean("b.z80");
  EXPECT_EQ(doc.sourceFileName(), "b.z80");
  EXPECT_EQ(view.caption, "b.z80");
  EXPECT_EQ(doc.sourceChanged(), 0);
  EXPECT_FALSE(view.saveOn);
}

TEST_F(EditorDocumentTest, OpenLoadsConvertedTextWithOneChangeThenMarksCleanAndShowsTheDate) {
  fs.files["a.z80"] = "ld a,1\nret";
  fs.stamps["a.z80"] = {static_cast<std::uint16_t>((44 << 9) | (3 << 5) | 5), 0};
  editor.type("old");
  editor.changes = 0;
  doc.openSourceFile("a.z80");
  EXPECT_EQ(editor.content, "ld a,1\r\nret");
  EXPECT_EQ(editor.changes, 1);
  EXPECT_EQ(state(), (State{"ld a,1\r\nret", "a.z80", "a.z80", "3/5/2024", 0, false}));
}

TEST_F(EditorDocumentTest, OpenShowsTheDateInTheCurrentLocale) {
  fs.files["a.z80"] = "ret";
  tavrin::LocaleSettings de;
  de.shortDate = "dd.MM.yyyy";
  de.dateSeparator = ".";
  de.clock24 = true;
  doc.setLocale(de);
  doc.openSourceFile("a.z80");
  EXPECT_EQ(view.dateText, "05.03.2024 14:07:08");
}

TEST_F(EditorDocumentTest, FailedOpenChangesNothing) {
  fs.files["a.z80"] = "ret";
  fs.files["nul.z80"] = "ld a,0\0ret"s;
  doc.openSourceFile("a.z80");
  editor.type("\tnop\r\n");
  const State before = state();

  EXPECT_THROW(
      {
        try {
          doc.openSourceFile("missing.z80");
        } catch (const tavrin::Error& e) {
          EXPECT_STREQ(e.what(), "Cannot open file \"C:\\work\\missing.z80\". The system cannot "
                                 "find the file specified");
          throw;
        }
      },
      tavrin::Error);
  EXPECT_EQ(state(), before);

  EXPECT_THROW(
      {
        try {
          doc.openSourceFile("nul.z80");
        } catch (const tavrin::Error& e) {
          EXPECT_EQ(e.what(), tavrin::holdsNulText("C:\\work\\nul.z80"));
          throw;
        }
      },
      tavrin::Error);
  EXPECT_EQ(state(), before);

  fs.failReads = true;
  EXPECT_THROW(doc.openSourceFile("a.z80"), tavrin::Error);
  EXPECT_EQ(state(), before);

  fs.failReads = false;
  editor.refuseText = true;
  EXPECT_THROW(doc.openSourceFile("a.z80"), tavrin::Error);
  EXPECT_EQ(state(), before);

  // A file larger than the memory left says so in the editor's own words.
  editor.refuseText = false;
  fs.outOfMemory = true;
  try {
    doc.openSourceFile("a.z80");
    ADD_FAILURE() << "the open went through";
  } catch (const tavrin::Error& e) {
    EXPECT_STREQ(e.what(), "Text exceeds memo capacity");
  }
  EXPECT_EQ(state(), before);
}

// The check sees the text as the editor would hold it, its line breaks made CR LF.
TEST_F(EditorDocumentTest, AFileWithBytesTheEditorWouldChangeIsRefusedAndChangesNothing) {
  fs.files["a.z80"] = "ret";
  fs.files["sjis.z80"] = "\t.db \"\x82\nret";
  doc.openSourceFile("a.z80");
  editor.type("\tnop\r\n");
  editor.changedBytes = "\x82\r\n";
  editor.systemCodePage = 932;
  const State before = state();
  const int changes = editor.changes;
  try {
    doc.openSourceFile("sjis.z80");
    ADD_FAILURE() << "the open went through";
  } catch (const tavrin::Error& e) {
    EXPECT_STREQ(e.what(), "Cannot open file \"C:\\work\\sjis.z80\". It contains bytes that are "
                           "not text in this system's code page (932) and can't be edited "
                           "without changing them");
  }
  EXPECT_EQ(state(), before);
  EXPECT_EQ(editor.changes, changes);
}

TEST_F(EditorDocumentTest, OpeningAnEmptyFileEmptiesTheEditor) {
  fs.files["empty.z80"] = "";
  editor.type("text");
  doc.openSourceFile("empty.z80");
  EXPECT_EQ(editor.content, "");
  EXPECT_EQ(doc.sourceChanged(), 0);
  EXPECT_EQ(view.caption, "empty.z80");
}

TEST_F(EditorDocumentTest, SaveWritesTheTextByteForByteAndLeavesTheStateAlone) {
  for (std::string text : {"", "ret", "a\r\nb\r\n", "a\r\n\tlast"}) {
    SCOPED_TRACE(text);
    editor.setText(text);
    const State before = state();
    doc.save("out.z80");
    EXPECT_EQ(fs.files["out.z80"], text);
    EXPECT_EQ(state(), before);
  }
}

TEST_F(EditorDocumentTest, LoadingAndSavingAgainKeepsTheBytes) {
  fs.files["a.z80"] = "\tld a,1\r\n\tret";
  doc.openSourceFile("a.z80");
  doc.save("a.z80");
  EXPECT_EQ(fs.files["a.z80"], "\tld a,1\r\n\tret");
}

TEST_F(EditorDocumentTest, ResetToNewLeavesSaveAndDateAlone) {
  fs.files["a.z80"] = "ret";
  doc.openSourceFile("a.z80");
  editor.type("x");
  const std::string date = view.dateText;
  const int changesBefore = editor.changes;
  doc.resetToNew();
  EXPECT_EQ(state(), (State{"", "NoName", "", date, 0, true}));
  EXPECT_EQ(editor.changes, changesBefore);
}

} // namespace
