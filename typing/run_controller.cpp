#include "typing/run_controller.h"

#include <optional>

#include "text/gbk.h"
#include "text/text.h"

namespace kestrava {

namespace {

// The handlers measure and convert "" where a read gave no text at all.
TextRef or_empty(const Text& text) { return text.absent() ? TextRef("") : TextRef(text); }

constexpr std::int32_t run_period_ms = 1000;
constexpr std::int32_t stopped_period = 0;
constexpr std::int32_t limit_armed = 1;
constexpr std::int32_t ok_button_only = 0;

}  // namespace

void start_action(Platform& platform) {
    platform.write_text(ControlId::标签1, Property::caption, "0秒");
    platform.write_int(ControlId::时钟计时, Property::period, run_period_ms);
}

void tick(Platform& platform) {
    double seconds = 0.0;
    {
        const Text caption = platform.read_text(ControlId::标签1, Property::caption);
        seconds = text_to_number(or_empty(caption));
    }
    seconds += 1.0;

    {
        Text next_caption;
        {
            const Text number = number_to_text(seconds);
            next_caption = concat({number, "秒"});
        }
        platform.write_text(ControlId::标签1, Property::caption, next_caption);
    }

    if (platform.read_int(ControlId::选择框1, Property::checked) != limit_armed) return;

    bool limit_reached = false;
    {
        // The caption is read back rather than reused, so the limit is tested
        // against what the label now holds.
        const Text caption = platform.read_text(ControlId::标签1, Property::caption);
        limit_reached = compare(caption, "60秒") == 0;
    }
    if (limit_reached) stop_action(platform);
}

void stop_action(Platform& platform) {
    // The clock stops before anything is read, so no tick can change the
    // caption while the result is shown.
    platform.write_int(ControlId::时钟计时, Property::period, stopped_period);

    double characters = 0.0;
    {
        const Text content = platform.read_text(ControlId::编辑框1, Property::content);
        characters = static_cast<double>(byte_length(or_empty(content))) / 2.0;
    }

    Text message;
    {
        const Text count = number_to_text(characters);
        const Text caption = platform.read_text(ControlId::标签1, Property::caption);
        message = concat({"共计", caption, "，共计打了", count, "个汉字"});
    }  // releases the caption, then the count

    // The box runs timer and hotkey events until it is closed; the message
    // stays alive until then.
    platform.message_box(message, ok_button_only, std::nullopt);
    message = Text();

    platform.write_text(ControlId::编辑框1, Property::content, "");
}

}  // namespace kestrava
