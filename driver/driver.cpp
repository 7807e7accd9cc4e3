#include "driver/driver.h"

#include "driver/destination.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace zelvo::driver {

namespace {

constexpr std::size_t kMaxCallText = 32;  // longer own-call texts are garbage

// A new name alone does not reopen the channel's connection.
bool sameConnection(ChannelConfig a, const ChannelConfig& b)
{
    a.name = b.name;
    return a == b;
}

thread_local bool insideMonitor = false;  // this thread runs the monitor function

// Bounded strlen: nullopt when there is no NUL within limit + 1 bytes.
std::optional<std::string_view> boundedText(const char* text, std::size_t limit)
{
    if (text == nullptr)
        return std::nullopt;
    const std::size_t length = ::strnlen(text, limit + 1);
    if (length > limit)
        return std::nullopt;
    return std::string_view(text, length);
}

std::optional<ax25::Address> ownCall(const char* mycall)
{
    const auto text = boundedText(mycall, kMaxCallText);
    return text ? ax25::parseAddress(*text) : std::nullopt;
}

}  // namespace

Driver& Driver::instance()
{
    static Driver driver;
    return driver;
}

Driver::Driver() : queue_(counters_) {}

Driver::~Driver()
{
    exit();
}

int Driver::init(const std::filesystem::path& tableFile)
{
    std::lock_guard lock(mutex_);
    if (running_)
        return 0;
    const ChannelTable table = loadChannelTable(tableFile);
    for (const auto& error : table.errors)
        std::fprintf(stderr, "flxapi32: %s\n", error.c_str());

    tableFile_ = table.file;
    counters_.reset();
    queue_.clear();
    names_.fill(nullptr);
    for (const auto& config : table.channels) {
        names_[config.number] = namePool_.insert(config.name).first->c_str();
        links_[config.number] = startLink(config);
    }
    // Without any channel there is nothing to stop: a later ax_init reads the table again.
    running_ = std::any_of(links_.begin(), links_.end(), [](auto& l) { return l != nullptr; });
    return running_ ? 0 : -1;
}

std::shared_ptr<TncLink> Driver::startLink(const ChannelConfig& config)
{
    const int channel = config.number;
    auto link = std::make_shared<TncLink>(
        config, counters_, [this, channel](std::string_view ax25) { onFrame(channel, ax25); },
        [this, channel](std::string_view ax25) { monitor(channel, true, ax25); });
    if (!link->start()) {
        std::fprintf(stderr, "flxapi32: channel %d: cannot start its connection\n", channel);
        return nullptr;
    }
    return link;
}

int Driver::reload(const std::filesystem::path& tableFile)
{
    std::lock_guard lock(mutex_);
    if (!running_)
        return -1;
    const ChannelTable table = loadChannelTable(tableFile);
    for (const auto& error : table.errors)
        std::fprintf(stderr, "flxapi32: %s\n", error.c_str());
    if (table.channels.empty())
        return -1;
    std::array<const ChannelConfig*, MAX_CHANNEL + 1> wanted{};
    for (const auto& config : table.channels)
        wanted[config.number] = &config;
    for (int channel = 0; channel <= MAX_CHANNEL; ++channel) {
        auto& link = links_[channel];
        const ChannelConfig* config = wanted[channel];
        names_[channel] = config ? namePool_.insert(config->name).first->c_str() : nullptr;
        if (link && config && sameConnection(link->config(), *config))
            continue;
        if (link)
            link->stop();  // hands on what still waits, as ax_exit does
        link = config ? startLink(*config) : nullptr;
    }
    tableFile_ = table.file;
    return 0;
}

int Driver::exit()
{
    std::lock_guard lock(mutex_);
    for (auto& link : links_) {
        if (link)
            link->stop();
        link.reset();
    }
    running_ = false;
    tableFile_.reset();
    queue_.clear();
    return 0;
}

std::shared_ptr<TncLink> Driver::link(int channel)
{
    if (channel < 0 || channel > MAX_CHANNEL)
        return nullptr;
    std::lock_guard lock(mutex_);
    return links_[channel];
}

const char* Driver::ident(int channel)
{
    if (channel < 0 || channel > MAX_CHANNEL)
        return "";
    std::lock_guard lock(mutex_);
    return names_[channel] ? names_[channel] : "";
}

bool Driver::connected(int channel)
{
    const auto l = link(channel);
    return l && l->connected();
}

std::optional<std::string> Driver::tableFile() const
{
    std::lock_guard lock(mutex_);
    return tableFile_;
}

std::optional<std::string> Driver::describe(int channel)
{
    const auto l = link(channel);
    return l ? std::optional(describeChannel(l->config())) : std::nullopt;
}

std::optional<LinkStatus> Driver::state(int channel)
{
    const auto l = link(channel);
    return l ? std::optional(l->status()) : std::nullopt;
}

std::optional<Driver::Outgoing> Driver::makeFrame(const char* mycall, const char* destination, int pid,
                                                  int infoLength, const void* info)
{
    const auto source = ownCall(mycall);
    const auto destText = boundedText(destination, MAX_DESTINATION_TEXT);
    const auto dest = destText ? parseDestination(*destText) : std::nullopt;
    const bool infoOk = infoLength >= 0 && infoLength <= FLX_MAX_INFO && (infoLength == 0 || info != nullptr);
    auto l = dest ? link(dest->channel) : nullptr;
    if (!source || !dest || !infoOk || !l)
        return std::nullopt;
    const std::string_view infoBytes(static_cast<const char*>(info), static_cast<std::size_t>(infoLength));
    const auto frame =
        ax25::makeUiFrame(*source, dest->call, dest->digis, static_cast<std::uint8_t>(pid & 0xFF),
                          infoLength > 0 ? infoBytes : std::string_view());
    return Outgoing{std::move(l), ax25::encodeFrame(frame), infoLength == 0};
}

bool Driver::sendUi(const char* mycall, const char* destination, int pid, int infoLength, const void* info)
{
    const auto out = makeFrame(mycall, destination, pid, infoLength, info);
    if (!out || !out->link->connected() || !out->link->send(out->ax25, out->withoutInfo)) {
        ++counters_.sendsRefused;
        return false;
    }
    ++counters_.framesSent;
    return true;
}

bool Driver::uiWaiting(const char* mycall, const char* destination, int pid, int infoLength, const void* info)
{
    const auto out = makeFrame(mycall, destination, pid, infoLength, info);
    return out && out->link->waiting(out->ax25);
}

std::size_t Driver::uiWaitingCount()
{
    std::lock_guard lock(mutex_);
    std::size_t count = 0;
    for (const auto& link : links_) {
        if (link)
            count += link->waitingCount();
    }
    return count;
}

bool Driver::uiWithdraw(const char* mycall, const char* destination, int pid, int infoLength,
                        const void* info)
{
    const auto out = makeFrame(mycall, destination, pid, infoLength, info);
    return out && out->link->withdraw(out->ax25);
}

void Driver::setMonitor(FlxMonitorFn fn, void* user)
{
    monitorTarget_.store(fn ? std::make_shared<const MonitorTarget>(MonitorTarget{fn, user}) : nullptr);
    monitorOn_ = fn != nullptr;
    // Calls that still run the previous function hold the lock shared. A call from within the
    // monitor cannot wait for itself.
    if (!insideMonitor)
        std::unique_lock wait(monitorMutex_);
}

void Driver::monitor(int channel, bool sent, std::string_view ax25)
{
    if (!monitorOn_.load(std::memory_order_relaxed))
        return;
    std::shared_lock lock(monitorMutex_, std::defer_lock);
    if (!insideMonitor)
        lock.lock();
    const auto target = monitorTarget_.load();
    if (!target)
        return;
    const bool outer = !insideMonitor;
    insideMonitor = true;
    target->fn(target->user, channel, sent ? 1 : 0, reinterpret_cast<const unsigned char*>(ax25.data()),
               static_cast<int>(ax25.size()));
    if (outer)
        insideMonitor = false;
}

void Driver::onFrame(int channel, std::string_view ax25)
{
    monitor(channel, false, ax25);
    ReceivedFrame received;
    received.channel = channel;
    const auto error = ax25::decodeUiFrame(ax25, received.frame);
    if (error == ax25::DecodeError::NotUi) {
        ++counters_.droppedNotUi;
    } else if (error != ax25::DecodeError::None || received.frame.info.size() > FLX_MAX_INFO) {
        ++counters_.droppedMalformed;
    } else if (!received.frame.pathComplete()) {
        ++counters_.droppedIncompletePath;
    } else {
        queue_.push(std::move(received));
    }
}

const FlxUiFrame* Driver::getUi(const char* mycall)
{
    const auto call = ownCall(mycall);
    if (!call)
        return nullptr;
    std::lock_guard lock(recordMutex_);
    const auto received = queue_.takeFor(*call);
    if (!received)
        return nullptr;
    fillRecord(*received);
    ++counters_.framesDelivered;
    return &record_;
}

void Driver::fillRecord(const ReceivedFrame& received)
{
    const ax25::Frame& f = received.frame;
    record_ = FlxUiFrame{};
    auto put = [](std::uint8_t* out, const ax25::Address& a, bool last) {
        const auto raw = ax25::encodeAddress(a, last);
        std::memcpy(out, raw.data(), raw.size());
    };
    put(record_.dest, f.destination, false);
    put(record_.source, f.source, f.digis.empty());
    for (std::size_t i = 0; i < f.digis.size() && i < FLX_MAX_DIGIS; ++i)
        put(record_.digis[i], f.digis[i], i + 1 == f.digis.size());
    record_.control = ax25::CONTROL_UI;
    record_.digi_count = static_cast<std::uint8_t>(std::min<std::size_t>(f.digis.size(), FLX_MAX_DIGIS));
    record_.pid = f.pid;
    record_.channel = received.channel;
    const std::size_t length = std::min<std::size_t>(f.info.size(), FLX_MAX_INFO);
    std::memcpy(record_.info_storage, f.info.data(), length);
    record_.info_storage[length] = 0;
    record_.info_length = static_cast<std::uint16_t>(length);
    record_.info = record_.info_storage;
}

}  // namespace zelvo::driver
