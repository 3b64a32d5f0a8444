// The player's language: gettext bound to the catalogues beside the running program.
#include "i18n/translation.h"

#include <unistd.h>

#include <clocale>
#include <filesystem>
#include <system_error>

namespace zarvo {

namespace {

// share/locale beside the running program: ../share/locale from its folder, which is where
// `cmake --install` and the build tree both put the catalogues; the folder the build was told
// to install to otherwise.
std::string locale_folder() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (!error) {
        const std::filesystem::path beside = self.parent_path().parent_path() / "share" / "locale";
        if (std::filesystem::is_directory(beside, error)) {
            return beside.string();
        }
    }
    return ZARVO_LOCALEDIR;
}

}  // namespace

void start_translations() {
    std::setlocale(LC_ALL, "");
    // Numbers are written with a decimal point in every language, as scripts read them.
    std::setlocale(LC_NUMERIC, "C");
    const std::string folder = locale_folder();
    bindtextdomain(kTextDomain, folder.c_str());
    bind_textdomain_codeset(kTextDomain, "UTF-8");
    textdomain(kTextDomain);
}

const char* translate(const char* english) {
    return gettext(english);
}

}  // namespace zarvo
