#pragma once
// The key filters of the input dialog's text box: which typed characters a
// filter kind lets through. Enter always passes (the caller handles it).
namespace vq::ui {

// 10 number characters (Backspace, '-', '.', digits); 20 letters; 30 digits
// and letters; 40 everything but the eleven characters a file name or a
// setting cannot hold ("*,/:;<>?\| and the double quote); any other kind,
// everything. Characters outside 32..127 pass filter 40.
bool keyPasses(int filter, char32_t ch);

} // namespace vq::ui
