#include "app/app_constants.h"

namespace app {

namespace {

// The open dialog's filter: four description/pattern pairs, each part ended
// by a bar. GBK bytes of
// "(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png|JPEG图片(*.jpg)|*.jpg|位图文件(*.bmp)|*.bmp|"
// "PNG图片文件(*.png)|*.png|".
const AppConstants kConstants = {
    .empty_byte_set = {1, 0},
    .empty_text = "",
    .picture_filter =
        "(*.jpg;*.bmp;*.png)|*.jpg;*.bmp;*.png|"
        "JPEG\xCD\xBC\xC6\xAC(*.jpg)|*.jpg|"
        "\xCE\xBB\xCD\xBC\xCE\xC4\xBC\xFE(*.bmp)|*.bmp|"
        "PNG\xCD\xBC\xC6\xAC\xCE\xC4\xBC\xFE(*.png)|*.png|",
    .path_separator = "/",
    .saved_message = "\xB1\xA3\xB4\xE6\xB3\xC9\xB9\xA6\xA3\xA1",
};

}  // namespace

const AppConstants& Constants() { return kConstants; }

const char* TextOrEmpty(const char* text) { return text != nullptr ? text : kConstants.empty_text; }

const void* ByteSetOrEmpty(const void* byte_set) {
  return byte_set != nullptr ? byte_set : kConstants.empty_byte_set;
}

}  // namespace app
