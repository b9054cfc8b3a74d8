#pragma once
// An editor held in a string, behaving as the real control does for the logic.
#include "ports/editor.h"
#include "core/error.h"

#include <string>
#include <vector>

namespace tavrin::fakes {

class FakeEditor : public Editor {
public:
  std::string content;
  std::size_t selStart = 0, selLength = 0;
  bool focused = false;
  int changes = 0;           // notifications raised
  bool refuseText = false;   // setText fails as a control that can't hold the text
  std::size_t fullReads = 0; // calls of text()
  int inserts = 0;           // calls of insertAtEnd()
  // A byte sequence the editor would change: a text holding it is not kept.
  std::string changedBytes;
  unsigned systemCodePage = 1252;

  std::string text() const override {
    ++const_cast<FakeEditor*>(this)->fullReads;
    return content;
  }
  void setText(const std::string& t) override {
    if (refuseText) throw Error("Text exceeds memo capacity");
    if (t == content) return;
    content = t;
    notify();
  }
  void clear() override { content.clear(), selStart = selLength = 0; }
  void insertAtEnd(const std::vector<std::string>& pieces) override {
    ++inserts;
    for (const auto& s : pieces) {
      if (s.empty()) continue;
      content += s;
      selStart = content.size(), selLength = 0;
      notify();
    }
  }
  std::string tail(std::size_t count) const override {
    return content.substr(content.size() - std::min(count, content.size()));
  }
  bool keepsBytes(std::string_view t) const override {
    return changedBytes.empty() || t.find(changedBytes) == std::string_view::npos;
  }
  unsigned codePage() const override { return systemCodePage; }
  void focus() override { focused = true; }
  void select(std::size_t start, std::size_t length) override {
    selStart = start, selLength = length;
  }
  void onChange(std::function<void()> handler) override { handler_ = std::move(handler); }

  // A keystroke by the user: inserts at the caret and notifies.
  void type(const std::string& s) {
    content.insert(selStart, s);
    selStart += s.size(), selLength = 0;
    notify();
  }

private:
  void notify() {
    ++changes;
    if (handler_) handler_();
  }
  std::function<void()> handler_;
};

} // namespace tavrin::fakes
