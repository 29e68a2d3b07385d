#include "desktop/fluid_music.h"

#include <fcntl.h>
#include <fluidsynth.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <system_error>
#include <vector>

namespace flakmire {
namespace {

namespace fs = std::filesystem;

// PulseAudio first: it also serves PipeWire desktops, and fails quietly where there is none.
constexpr const char* kAudioDrivers[] = {"pulseaudio", "alsa"};

// The game has no console: whatever FluidSynth wants to report goes nowhere.
void SilenceFluidSynth() {
  for (int level = FLUID_PANIC; level < LAST_LOG_LEVEL; ++level) {
    fluid_set_log_function(level, nullptr, nullptr);
  }
}

// Libraries under FluidSynth write some complaints straight to stderr, past its log functions:
// libasound when there is no sound card, libinstpatch when a file is no soundfont. So stderr
// points at /dev/null while the soundfont loads and the driver opens.
class StderrMuted {
 public:
  StderrMuted() {
    std::fflush(stderr);
    saved_ = dup(STDERR_FILENO);
    const int null = open("/dev/null", O_WRONLY | O_CLOEXEC);
    if (saved_ >= 0 && null >= 0) dup2(null, STDERR_FILENO);
    if (null >= 0) close(null);
  }
  ~StderrMuted() {
    if (saved_ < 0) return;
    std::fflush(stderr);
    dup2(saved_, STDERR_FILENO);
    close(saved_);
  }
  StderrMuted(const StderrMuted&) = delete;
  StderrMuted& operator=(const StderrMuted&) = delete;

 private:
  int saved_ = -1;
};

}  // namespace

FluidMusic::FluidMusic(const std::string& soundFont) {
  SilenceFluidSynth();
  const StderrMuted muted;
  if (soundFont.empty() || !(settings_ = NewSettings())) return;
  synth_ = new_fluid_synth(settings_);
  if (synth_ && fluid_synth_sfload(synth_, soundFont.c_str(), 1) != FLUID_FAILED) {
    effects_ = std::make_unique<SoundEffects>(synth_);
    for (const char* name : kAudioDrivers) {
      fluid_settings_setstr(settings_, "audio.driver", name);
      if ((driver_ = new_fluid_audio_driver2(settings_, &FluidMusic::Render, this))) break;
    }
  }
  if (!driver_) {  // nothing to play on: hold on to nothing
    effects_.reset();
    if (synth_) delete_fluid_synth(synth_);
    delete_fluid_settings(settings_);
    synth_ = nullptr;
    settings_ = nullptr;
  }
}

FluidMusic::~FluidMusic() {
  Stop();
  if (driver_) delete_fluid_audio_driver(driver_);  // first: its thread renders from the synth
  if (synth_) delete_fluid_synth(synth_);
  if (settings_) delete_fluid_settings(settings_);
}

void FluidMusic::PlayOnce(const std::string& midiPath) {
  Stop();
  if (!driver_ || !fluid_is_midifile(midiPath.c_str())) return;
  // The player runs on the synth's clock, so the audio thread does all the work from here on.
  player_ = new_fluid_player(synth_);
  if (!player_) return;
  if (fluid_player_add(player_, midiPath.c_str()) != FLUID_OK ||
      fluid_player_play(player_) != FLUID_OK) {
    Stop();
  }
}

fluid_settings_t* FluidMusic::NewSettings() {
  fluid_settings_t* settings = new_fluid_settings();
  if (!settings) return nullptr;
  fluid_settings_setnum(settings, "synth.gain", kGain);
  fluid_settings_setint(settings, "audio.period-size", kPeriodFrames);
  fluid_settings_setint(settings, "audio.periods", 2);  // ALSA's buffer: two blocks, not 16
  return settings;
}

Sounds& FluidMusic::Effects() { return effects_ ? *effects_ : NoSounds(); }

int FluidMusic::Render(void* self, int frames, int, float*[], int nout, float* out[]) {
  auto& music = *static_cast<FluidMusic*>(self);
  if (nout < 2) return FLUID_FAILED;
  music.effects_->Render(frames, out[0], out[1]);
  return FLUID_OK;
}

void FluidMusic::SetMuted(bool muted) {
  if (effects_) effects_->SetMuted(muted);
}

bool FluidMusic::Muted() const { return effects_ && effects_->Muted(); }

void FluidMusic::Stop() {
  if (!player_) return;
  fluid_player_stop(player_);
  delete_fluid_player(player_);
  player_ = nullptr;
  fluid_synth_all_sounds_off(synth_, -1);  // whatever the old player left ringing
}

std::string FluidMusic::FindSoundFont() {
  const fs::path folders[] = {"/usr/share/sounds/sf2", "/usr/share/soundfonts"};
  std::error_code ec;
  for (const char* name : {"default-GM.sf2", "TimGM6mb.sf2"}) {
    for (const fs::path& folder : folders) {
      if (fs::is_regular_file(folder / name, ec)) return (folder / name).string();
    }
  }
  for (const fs::path& folder : folders) {
    std::vector<fs::path> found;
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
      std::error_code fileError;
      if (it->path().extension() == ".sf2" && fs::is_regular_file(it->path(), fileError)) {
        found.push_back(it->path());
      }
    }
    if (!found.empty()) return std::ranges::min(found).string();
  }
  return {};
}

}  // namespace flakmire
