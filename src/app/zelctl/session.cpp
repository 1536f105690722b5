#include "app/zelctl/session.h"

#include "app/zelctl/arguments.h"
#include "terminal/device_choice.h"

namespace zel::ctl {

namespace {

// A page follow-up that never ends its timer must not hold the session forever.
constexpr unsigned kFollowUpGraceMs = 1000;

}  // namespace

void Session::UseSessionConnection() {
    if (options_.device) {
        if (std::string problem = ChooseDevice(parts_.terminal, *options_.device);
            !problem.empty()) {
            throw Refusal{exit_status::kNotSent, "the device " + Quoted(options_.device->name) +
                                                     " cannot be used: " + problem};
        }
        return;
    }
    std::optional<int> connection = options_.connection;
    if (parts_.guard && !connection) {
        const int stored = parts_.terminal.StoredConnection();
        const ProductInfo& product = *parts_.terminal.CurrentProduct();
        if (!product.Supports(stored)) {
            throw Refusal{exit_status::kNotSent,
                          product.Name() + " has no " + ConnectionName(stored) +
                              " connection, the one stored in the settings; choose one with "
                              "--connection"};
        }
        connection = stored;
    }
    operator_.ChooseConnection(connection, options_.protocol);
}

void Session::Perform(const Step& step) {
    const uint64_t commandsBefore = parts_.traffic.Commands();
    if (step.kind == StepKind::Press) parts_.window.TakeStop();
    switch (step.kind) {
        case StepKind::Product:
            if (options_.device && step.name != options_.device->product) {
                throw Refusal{exit_status::kNotFound,
                              "the device " + Quoted(options_.device->name) + " is a " +
                                  options_.device->product + ", not a " + step.name};
            }
            if (options_.device) break;
            operator_.ChooseProduct(step.name);
            page_ = nullptr;
            parts_.received.Clear();
            UseSessionConnection();
            break;
        case StepKind::Page:
            page_ = &operator_.ShowPage(step.name);
            break;
        case StepKind::Connection:
            operator_.ChooseConnection(step.connection, std::nullopt);
            break;
        case StepKind::Protocol:
            operator_.ChooseConnection(std::nullopt, step.name);
            break;
        case StepKind::Set:
            operator_.Set(PageShown(step), step.name, step.value);
            break;
        case StepKind::Press:
            operator_.Press(PageShown(step), step.name);
            break;
        case StepKind::Answer:
            parts_.answers.Add(step.answer);
            break;
        case StepKind::Send:
            operator_.SendCustomString(step.name);
            break;
        case StepKind::Wait:
            if (!options_.dryRun) parts_.loop.RunUntil([] { return false; }, step.ms);
            break;
        case StepKind::Expect:
            if (!options_.dryRun) Expect(step);
            break;
    }
    FinishFollowUps();
    RefuseWrongAnswers();
    RefuseUnsent(step, commandsBefore);
}

// A command that did not go out, or a press that sent nothing because the page stopped it,
// must not end as if done.
void Session::RefuseUnsent(const Step& step, uint64_t commandsBefore) {
    if (std::optional<std::string> failure = parts_.traffic.TakeFailure()) {
        throw Refusal{exit_status::kNotSent, *failure};
    }
    if (step.kind != StepKind::Press || parts_.traffic.Commands() != commandsBefore) return;
    if (std::optional<std::string> stop = parts_.window.TakeStop()) {
        throw Refusal{exit_status::kPressSentNothing, "nothing was sent: " + *stop};
    }
}

CPage& Session::PageShown(const Step& step) {
    if (page_) return *page_;
    std::string what = step.kind == StepKind::Set ? "set" : "press";
    throw Refusal{exit_status::kNotFound,
                  what + " needs a page shown: give 'page TITLE' after the product"};
}

void Session::FinishFollowUps() {
    std::optional<unsigned> longest = parts_.window.LongestFollowUpMs();
    if (!longest) return;
    parts_.loop.RunUntil([&] { return !parts_.window.LongestFollowUpMs(); },
                         static_cast<int>(*longest + kFollowUpGraceMs));
}

void Session::Expect(const Step& step) {
    const std::regex pattern = ExtendedPattern(step.name);
    ReceivedText& received = parts_.received;
    std::optional<std::string> matched;
    std::optional<uint64_t> searched;  // the arrivals the last search saw
    parts_.loop.RunUntil(
        [&] {
            if (searched == received.Arrivals()) return false;
            searched = received.Arrivals();
            matched = received.Take(pattern);
            return matched.has_value();
        },
        step.ms);
    if (matched) {
        parts_.events.Write(JsonObject().Add("event", "matched").Add("text", *matched));
        return;
    }
    const std::string came = received.Text();
    throw Refusal{exit_status::kNoReply,
                  "nothing received matched '" + step.name + "' within " + std::to_string(step.ms) +
                      " ms; " + (came.empty() ? "nothing came" : "what came: " + came),
                  came};
}

void Session::RefuseWrongAnswers() {
    const std::vector<std::string>& mistakes = parts_.answers.Mistakes();
    if (mistakes.size() == mistakesSeen_) return;
    mistakesSeen_ = mistakes.size();
    throw Refusal{exit_status::kNotFound, mistakes.back()};
}

}  // namespace zel::ctl
