// Travondel's sound layer: the small part of the Audiere interface the game
// uses, implemented on OpenAL Soft (output) and libmpg123 (decoding).
// Objects are reference counted; hold them in the RefPtr typedefs.
#pragma once

namespace audiere {

class RefCounted {
public:
    virtual void ref() = 0;
    virtual void unref() = 0;

protected:
    virtual ~RefCounted() {}
};

template <typename T>
class RefPtr {
public:
    RefPtr(T* p = 0) : ptr(p) {
        if (ptr) ptr->ref();
    }
    RefPtr(const RefPtr& o) : ptr(o.ptr) {
        if (ptr) ptr->ref();
    }
    ~RefPtr() {
        if (ptr) ptr->unref();
    }
    RefPtr& operator=(T* p) {
        if (p) p->ref();
        if (ptr) ptr->unref();
        ptr = p;
        return *this;
    }
    RefPtr& operator=(const RefPtr& o) { return *this = o.ptr; }
    T* get() const { return ptr; }
    T* operator->() const { return ptr; }
    T& operator*() const { return *ptr; }
    operator bool() const { return ptr != 0; }
    bool operator!() const { return ptr == 0; }

private:
    T* ptr;
};

// An opened output device. Every device shares the one OpenAL context.
class AudioDevice : public RefCounted {};

// A sound opened on a device, decoded whole into one buffer.
class OutputStream : public RefCounted {
public:
    virtual void play() = 0;
    virtual void stop() = 0;  // pauses; play() resumes where it stopped
    virtual bool isPlaying() = 0;
    virtual void reset() = 0;  // back to the start
    virtual void setRepeat(bool repeat) = 0;
    virtual bool getRepeat() = 0;
    virtual void setVolume(float volume) = 0;  // 0 silent .. 1 full
    virtual float getVolume() = 0;
    virtual void setPitchShift(float shift) = 0;  // 0.1 .. 1 (1 is the recorded pitch)
    virtual float getPitchShift() = 0;
};

typedef RefPtr<AudioDevice> AudioDevicePtr;
typedef RefPtr<OutputStream> OutputStreamPtr;

// The default device; null when there is none (no sound card, no OpenAL).
AudioDevice* OpenDevice(const char* name = 0, const char* parameters = 0);

// Opens a sound file (mp3) on a device; null for a null device, a missing file
// or one that cannot be decoded.
OutputStream* OpenSound(const AudioDevicePtr& device, const char* filename, bool streaming = false);

}  // namespace audiere
