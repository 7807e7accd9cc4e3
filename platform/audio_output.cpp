// The Qt Multimedia back end of the sound player, built as the module libzelvo_audio.so.
#include "platform/audio_output.h"

#include <QAudioDevice>
#include <QAudioFormat>
#include <QAudioSink>
#include <QBuffer>
#include <QMediaDevices>
#include <QObject>

namespace zelvo::platform {
namespace {

QAudioFormat::SampleFormat qtSample(WaveData::Sample sample)
{
    switch (sample) {
    case WaveData::Sample::UInt8: return QAudioFormat::UInt8;
    case WaveData::Sample::Int16: return QAudioFormat::Int16;
    case WaveData::Sample::Int32: return QAudioFormat::Int32;
    case WaveData::Sample::Float: return QAudioFormat::Float;
    }
    return QAudioFormat::Unknown;
}

// One sound at a time through a QAudioSink fed from memory. (QSoundEffect is not used: its
// shared loader thread can hang or crash the program at exit while a sound is still loading.)
class QtAudioOutput final : public QObject, public AudioOutput {
public:
    ~QtAudioOutput() override { stop(); }

    void play(WaveData wave, std::function<void()> ended) override
    {
        stop();
        ended_ = std::move(ended);
        const QAudioDevice device = QMediaDevices::defaultAudioOutput();
        if (device.isNull())
            return finish();

        QAudioFormat format;
        format.setSampleRate(wave.sampleRate);
        format.setChannelCount(wave.channels);
        format.setSampleFormat(qtSample(wave.sample));
        sink_ = new QAudioSink(device, format, this);
        // A child of the sink, so that it outlives the sink's own teardown, which still reads it.
        auto* buffer = new QBuffer(sink_);
        buffer->setData(wave.bytes.data(), static_cast<qsizetype>(wave.bytes.size()));
        buffer->open(QIODevice::ReadOnly);
        QObject::connect(sink_, &QAudioSink::stateChanged, this, [this](QAudio::State state) {
            if (state == QAudio::IdleState ||
                (state == QAudio::StoppedState && sink_->error() != QAudio::NoError))
                finish();
        });
        sink_->start(buffer);
        if (sink_ && sink_->error() != QAudio::NoError)
            finish();
    }

private:
    void stop()
    {
        if (!sink_)
            return;
        sink_->disconnect(this);
        sink_->stop();
        sink_->deleteLater();
        sink_ = nullptr;
    }

    void finish()
    {
        stop();
        if (auto ended = std::exchange(ended_, nullptr))
            ended();
    }

    QAudioSink* sink_ = nullptr;
    std::function<void()> ended_;
};

}  // namespace
}  // namespace zelvo::platform

extern "C" Q_DECL_EXPORT zelvo::platform::AudioOutput* zelvo_make_audio_output()
{
    return new zelvo::platform::QtAudioOutput;
}
