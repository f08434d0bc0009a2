#pragma once

#include <QAudioFormat>
#include <QByteArray>

// Length in milliseconds of the sound in a RIFF WAVE image (PCM), or -1 when the image is not
// a WAVE file that can be played (bad header, no data, truncated chunks).
int WaveDurationMs(const QByteArray& wave);

// The sound of a WAVE image (PCM, 8 or 16 bits, any rate and channel count) as raw samples in
// `format`, ready to be written to an audio output: the channels mixed to mono and copied to
// every output channel, the rate changed by linear interpolation, silence appended up to
// `minFrames` frames, cut after `maxMs`. A data chunk claiming more than the image holds plays
// what is there. Empty when the image cannot be played or the format is not a sample format.
QByteArray ConvertWave(const QByteArray& wave, const QAudioFormat& format, int minFrames = 0,
                       int maxMs = 30000);
