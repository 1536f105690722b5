#include "pages/lighting/glimra_play_page.h"

#include "products/file_argument.h"

namespace zel {

namespace {

// By SMPTE-JamSync, PileOn and Loop: chasing time code ignores Loop.
constexpr const char* kPlayVerbs[2][2][2] = {
    {{"PL", "LP"}, {"PO", "LO"}},
    {{"CP", "CP"}, {"PC", "PC"}},
};

struct UniverseCommand {
    const char* caption;
    const char* letters;
};

constexpr UniverseCommand kUniverseControls[] = {{"Stop", "RJ"}, {"Resume", "PL"}, {"Still", "ST"}};

}  // namespace

CGlimraPlayPage::CGlimraPlayPage(IPageHost& host, GlimraUniverses universes)
    : CGlimraUniversePage(host, "Play", universes) {
    UniverseGroup(0);

    // Each option's caption stands beside its box, so the time boxes of its rows go by it too.
    Group("Play Options", 0);
    pileOn_ = OptionBox("PileOn");
    loop_ = OptionBox("Loop");
    crossfade_ = OptionBox("Crossfade");
    crossfadeTime_ = TextEdit({}, kGlimraInitialTime, kGlimraTimeLength);
    jamSync_ = OptionBox("SMPTE-JamSync");
    // A start time only means something with a crossfade behind it.
    useStartTime_ = OptionBox("Use Start Time", [this] {
        if (Checked(useStartTime_)) Check(crossfade_, true);
    });
    startTime_ = TextEdit({}, kGlimraInitialTime, kGlimraTimeLength);
    EndGroup();

    Group("Cuename, Filename or File Number", 1);
    Row();
    cue_ = TextEdit({}, "1");
    Row();
    Button("Clear Cue", [this] { SendCueCommand({}, "CL"); });
    Button("Play", [this] {
        std::string verb = PlayVerb();
        SendCueCommand(TimePrefix(verb), verb);
    });
    Button("Still", [this] { SendCueCommand({}, "SC"); });
    EndGroup();

    Group("Universe Controls", 1);
    Row();
    for (const UniverseCommand& command : kUniverseControls) {
        Button(command.caption, [this, letters = command.letters] {
            SendToTicked([letters](const std::string& tag) { return tag + letters; });
        });
    }
    EndGroup();
}

ControlId CGlimraPlayPage::OptionBox(std::string caption, Handler onClick) {
    Row(std::move(caption));
    return CheckBox({}, false, std::move(onClick));
}

std::string CGlimraPlayPage::PlayVerb() const {
    return kPlayVerbs[Checked(jamSync_)][Checked(pileOn_)][Checked(loop_)];
}

std::string CGlimraPlayPage::TimePrefix(const std::string& verb) {
    std::string crossfade = GlimraTimeDigits(Text(crossfadeTime_));
    bool chasing = verb == "PC" || verb == "CP";
    if (chasing && Checked(useStartTime_)) {
        Check(crossfade_, true);
        return GlimraTimeDigits(Text(startTime_)) + crossfade;
    }
    return Checked(crossfade_) ? crossfade : std::string();
}

// The cue commands go out even without a cue (after the message), as the tag and the verb.
void CGlimraPlayPage::SendCueCommand(const std::string& prefix, const std::string& verb) {
    std::string argument = NormalizeFileArgument(Text(cue_), Host().Window());
    SendToTicked([&](const std::string& tag) { return prefix + argument + tag + verb; });
}

CGlimraProTabDlg::CGlimraProTabDlg(IPageHost& host)
    : CGlimraPlayPage(host, GlimraUniverses::Four) {}

CGlimraETabDlg::CGlimraETabDlg(IPageHost& host)
    : CGlimraPlayPage(host, GlimraUniverses::OnlyFirst) {}

}  // namespace zel
