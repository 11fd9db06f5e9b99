#include <gtest/gtest.h>

#include "app/forms/form_block.h"
#include "tests/tools/forms/program_forms.h"

namespace horavia::tools {
namespace {

TEST(EmbeddedFormBlock, IsExactlyTheCompiledSources) {
  const base::Bytes embedded(app::kFormBlock, app::kFormBlock + app::kFormBlockSize);
  EXPECT_EQ(embedded, ui::writeFormBlock(compileProgramForms()));
}

}  // namespace
}  // namespace horavia::tools
