// Wine as the bridge tests run it, set in the process so the test program also runs on its own: the
// build folder's prepared prefix, no Wine diagnostics, and a `wine` on the PATH that runs this word size.

#include <QByteArray>

namespace {

const bool kWineEnvironment = [] {
    qputenv("WINEPREFIX", VCM_WINEPREFIX);
    qputenv("WINEDEBUG", "-all");
    qputenv("WINEDLLOVERRIDES", "mscoree,mshtml=");
    qputenv("PATH", QByteArray(VCM_WINE_FOLDER ":") + qgetenv("PATH"));
    return true;
}();

}  // namespace
