#include "driver/kiss_codec.h"

namespace zelvo::kiss {

namespace {

void appendEscaped(std::string& out, std::uint8_t byte)
{
    if (byte == FEND) {
        out.push_back(static_cast<char>(FESC));
        out.push_back(static_cast<char>(TFEND));
    } else if (byte == FESC) {
        out.push_back(static_cast<char>(FESC));
        out.push_back(static_cast<char>(TFESC));
    } else {
        out.push_back(static_cast<char>(byte));
    }
}

}  // namespace

std::string encode(std::uint8_t port, std::uint8_t command, std::string_view data)
{
    std::string out;
    out.reserve(data.size() + data.size() / 8 + 4);
    out.push_back(static_cast<char>(FEND));
    appendEscaped(out, commandByte(port, command));
    for (char c : data)
        appendEscaped(out, static_cast<std::uint8_t>(c));
    out.push_back(static_cast<char>(FEND));
    return out;
}

Decoder::Decoder(std::size_t maxFrame) : maxFrame_(maxFrame == 0 ? 1 : maxFrame) {}

void Decoder::feed(const std::uint8_t* bytes, std::size_t length, std::vector<Frame>& out)
{
    if (bytes == nullptr)
        return;
    for (std::size_t i = 0; i < length; ++i) {
        const std::uint8_t b = bytes[i];
        if (b == FEND) {
            if (state_ == State::Escape) {
                ++stats_.badEscapes;
                content_.clear();
            } else if (state_ == State::InFrame) {
                endFrame(out);
            }
            state_ = State::InFrame;
            continue;
        }
        switch (state_) {
        case State::Unsynced: ++stats_.noiseBytes; break;
        case State::Discard: break;
        case State::InFrame:
            if (b == FESC)
                state_ = State::Escape;
            else
                append(b);
            break;
        case State::Escape:
            if (b == TFEND || b == TFESC) {
                state_ = State::InFrame;
                append(b == TFEND ? FEND : FESC);
            } else {
                ++stats_.badEscapes;
                content_.clear();
                state_ = State::Discard;
            }
            break;
        }
    }
}

void Decoder::feed(std::string_view bytes, std::vector<Frame>& out)
{
    feed(reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size(), out);
}

std::vector<Frame> Decoder::feed(std::string_view bytes)
{
    std::vector<Frame> out;
    feed(bytes, out);
    return out;
}

void Decoder::reset()
{
    // A frame dropped earlier for its length or an escape (Discard) was counted then.
    if ((state_ == State::InFrame && !content_.empty()) || state_ == State::Escape)
        ++stats_.unterminated;
    content_.clear();
    state_ = State::Unsynced;
}

void Decoder::append(std::uint8_t byte)
{
    if (content_.size() >= maxFrame_) {
        ++stats_.overlong;
        content_.clear();
        state_ = State::Discard;
        return;
    }
    content_.push_back(static_cast<char>(byte));
}

void Decoder::endFrame(std::vector<Frame>& out)
{
    if (content_.empty())
        return;
    const auto cmd = static_cast<std::uint8_t>(content_.front());
    Frame frame;
    frame.port = cmd >> 4;
    frame.command = cmd & 0x0F;
    frame.data.assign(content_, 1);
    content_.clear();
    out.push_back(std::move(frame));
    ++stats_.frames;
}

}  // namespace zelvo::kiss
