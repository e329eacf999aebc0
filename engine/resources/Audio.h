#pragma once

namespace ov
{

// Whether the audio layer could open a device. Asked once, by the first
// sound or music loaded, before anything else of the audio layer is used,
// and remembered. Without a device (no sound card, or no driver that works)
// every call of the audio layer would fail and say so on the standard error,
// hundreds of lines: no sound or music then makes an object of the audio
// layer at all, and nothing is played. The device's opening is guarded: a
// crash inside it (memory short) counts as no device.
bool audioAvailable();

} // namespace ov
