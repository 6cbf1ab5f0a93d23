#pragma once
// Pages of the HTML online manual, opened in the browser.
#include <filesystem>
#include <string>

namespace vq {

// The manual's top pages; every other page lives in a ".files" folder.
bool IsManualTopPage(const std::string& pageName);
// Where pageName lies under SystemDef.HelpDir for the running product
// (ProductKind) and edition (OemKind); empty when the product has no manual.
std::filesystem::path ManualPagePath(const std::string& pageName);
// Opens the page in the browser: 0 when it was handed over,
// NavigationFailed when the browser could not be started. An empty name, or
// a product without a manual, opens nothing and returns 0.
inline constexpr int NavigationFailed = static_cast<int>(0x80004005u);
int ShowHtmlHelp(const std::string& pageName);

} // namespace vq
