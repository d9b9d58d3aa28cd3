#include "app/DeckCompile.h"

#include "deck/CompiledDeck.h"
#include "wml/FileUtil.h"
#include "wml/PhoneProfiles.h"

#include <ostream>

namespace tess {

namespace {

// The file's compiled form in `deck`, or false with the reason told.
bool compiled(const std::string &file, CompiledDeck &deck, std::ostream &err)
{
    if (const std::string reason = unreadableFileReason(file); !reason.empty()) {
        err << "tessarine: " << reason << "\n";
        return false;
    }
    deck = compileDeckFile(file);
    if (!deck.ok)
        err << (deck.error.starts_with(file) ? "" : "tessarine: " + file + ": ") << deck.error
            << "\n";
    return deck.ok;
}

} // namespace

int compileDeckTo(const std::string &file, const std::string &out, std::ostream &err)
{
    CompiledDeck deck;
    if (!compiled(file, deck, err))
        return 1;
    const std::string bytes(deck.bytes.begin(), deck.bytes.end());
    if (std::string why; !writeFileAtomically(out, bytes, &why)) {
        err << "tessarine: " << why << "\n";
        return 1;
    }
    return 0;
}

int printDeckSizes(const std::vector<std::string> &files, std::ostream &out, std::ostream &err)
{
    int status = 0;
    for (const std::string &file : files) {
        CompiledDeck deck;
        if (!compiled(file, deck, err)) {
            status = 1;
            continue;
        }
        out << file << ": text " << groupedNumber(deck.textBytes) << " bytes, compiled "
            << groupedNumber(deck.bytes.size()) << " bytes"
            << (deck.serverPage ? " (the WML around the server code)" : "");
        for (const PhoneProfile &p : phoneProfiles())
            out << "; " << p.id << ' ' << groupedNumber(uint64_t(p.deckBudget))
                << (deck.bytes.size() <= uint64_t(p.deckBudget) ? " fits" : " exceeds");
        out << "\n";
    }
    return status;
}

} // namespace tess
