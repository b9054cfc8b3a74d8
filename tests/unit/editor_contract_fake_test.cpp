// The editor contract against the fake the logic's tests use.
#include "contract/editor_contract.h"
#include "fakes/fake_editor.h"

namespace {

struct FakeEditorFactory {
  static std::unique_ptr<tavrin::Editor> make() {
    return std::make_unique<tavrin::fakes::FakeEditor>();
  }
  static std::pair<std::size_t, std::size_t> selection(tavrin::Editor& editor) {
    auto& fake = static_cast<tavrin::fakes::FakeEditor&>(editor);
    return {fake.selStart, fake.selStart + fake.selLength};
  }
};

} // namespace

INSTANTIATE_TYPED_TEST_SUITE_P(Fake, EditorContract, ::testing::Types<FakeEditorFactory>);
