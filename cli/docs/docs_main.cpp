// orvelin-docs: writes orvelin's man page or bash completion at build time.
//   orvelin-docs man-page|bash-completion OUTPUT
#include "cli/docs/generated_docs.h"
#include "settings/file_replace.h"

#include <cstdio>
#include <string>
#include <string_view>

int main(int argc, char** argv)
{
    std::string_view what = argc == 3 ? argv[1] : "";
    std::string text = what == "man-page" ? manPage() : what == "bash-completion" ? bashCompletion() : "";
    if (text.empty()) {
        std::fputs("usage: orvelin-docs man-page|bash-completion OUTPUT\n", stderr);
        return 2;
    }
    if (!replaceFileContents(argv[2], text)) {
        std::fprintf(stderr, "orvelin-docs: cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
