#include "cli/text_output.h"

#include <gtest/gtest.h>

namespace vandrel::cli {
namespace {

using Json = nlohmann::ordered_json;

TEST(TextOutputTest, NestedObjectsIndentAndListsOfObjectsTakeALineEach) {
  const Json document = Json::parse(R"({
    "kind": "mouse", "product_id": 30311, "seven_colour": true, "dpi": null,
    "lighting": {"mode": 2, "colour": "00ff80"},
    "levels": [1, 2, "x y"],
    "buttons": [{"button": 0, "name": "second DPI", "ok": false}]
  })",
                                    nullptr, true, false);
  EXPECT_EQ(FormatText(document),
            "kind: mouse\n"
            "product_id: 0x7667\n"
            "seven_colour: yes\n"
            "dpi: -\n"
            "lighting:\n"
            "  mode: 2\n"
            "  colour: 00ff80\n"
            "levels: 1 2 \"x y\"\n"
            "buttons:\n"
            "  button=0 name=\"second DPI\" ok=no\n");
}

TEST(TextOutputTest, ATopLevelListIsOneLinePerElement) {
  const Json list = Json::parse(R"([{"kind": "pad"}, {"kind": "mouse"}])");
  EXPECT_EQ(FormatText(list), "kind=pad\nkind=mouse\n");
}

}  // namespace
}  // namespace vandrel::cli
