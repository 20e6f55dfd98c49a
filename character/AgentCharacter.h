#pragma once

#include "base/Clock.h"
#include "character/AnimationPlayer.h"
#include "character/AudioOutput.h"
#include "character/CharacterDefinition.h"
#include "character/FrameCache.h"
#include "character/IAgentCtlCharacter.h"
#include "character/VoiceEngine.h"

#include <QObject>

#include <memory>
#include <optional>

namespace velmora::character {

class CharacterWindow;
class SpeechBalloon;

// One loaded character.
//
// Every operation returns at once. Show, Hide, Play, GestureAt and Speak
// become requests that the character carries out one after the other on
// the event loop (so Play "Wave" then Hide waves before it goes); Stop drops
// the running and queued ones, so the next request starts at once. Left and
// Top move the window at once, kept whole inside the available area of its
// screen: left() and top() then tell where it went. isShown() holds from the start of a Show to
// the end of a Hide; the window itself appears on a later turn of the event
// loop, once the first frame of Showing is drawn (frames are drawn on the
// thread pool), and the Showing animation starts then: a character shown
// during start-up never holds up the main window, however slow its frames.
//
// After unload() (Characters.Unload) the object may still be held by
// callers: every operation then throws Error(CharacterError) and the
// character's windows are gone. Invalid arguments throw before anything is
// queued: an unknown animation Error(UnknownAnimation), Speak of an empty
// text Error(InvalidArgument).
//
// Observers for tests never throw. The signals report the requests, not the
// idle blink: animationStarted/animationFinished carry the animation name
// ("Showing", "Hiding", "Speaking", "GestureLeft"... for Show, Hide, Speak
// and GestureAt); speakingStarted when the voice starts, spoken when it ends;
// drawingChanged whenever another frame shows.
class AgentCharacter : public QObject, public IAgentCtlCharacter {
    Q_OBJECT

public:
    // Animations, blinks and the balloon keep the time of `clock`.
    AgentCharacter(CharacterDefinition definition, std::unique_ptr<FrameCache> frames,
        SpeechSynthesis synthesis, AudioOutputFactory audio, Clock &clock = systemClock(),
        QObject *parent = nullptr);
    ~AgentCharacter() override;

    void setLeft(int left) override;
    void setTop(int top) override;
    int left() const override;
    int top() const override;

    void Show() override;
    void Hide() override;
    void Play(const QString &animation) override;
    void Stop() override;
    // Gestures left, right, up or down: towards the screen point, seen from
    // the middle of the character.
    void GestureAt(int x, int y) override;
    void Speak(const QString &text) override;

    bool isLoaded() const { return m_window != nullptr; }
    bool isShown() const;
    QString currentAnimation() const;
    QStringList queuedAnimations() const;
    QString displayName() const { return m_definition.displayName; }
    const Voice &voice() const { return m_definition.voice; }
    bool isBalloonShown() const;
    QString balloonText() const;
    int currentDrawing() const;
    // How many of the character's drawings have been drawn so far.
    int drawnFrames() const { return m_frames->renderedCount(); }
    QWidget *characterWindow() const;

    // Characters.Unload: stops everything and closes the windows for good.
    void unload();

Q_SIGNALS:
    void animationStarted(const QString &name);
    void animationFinished(const QString &name);
    void speakingStarted(const QString &text);
    void spoken(const QString &text);
    void drawingChanged(int drawing);

private:
    struct Request {
        enum Kind { Animation, Show, Hide, Speak } kind;
        QString animation; // what plays: for Show "Showing", for Speak "Speaking"...
        QString text; // for Speak
    };

    void ensureLoaded() const;
    void placeAt(QPoint topLeft);
    void enqueue(Request request);
    void startNext();
    void onPlayerFinished(const QString &name);
    void startSpeaking(const QString &text);
    void playSpeech(const SpeechAudio &audio);
    QList<CharacterDefinition::Frame> mouthFrames(const SpeechAudio &audio) const;
    QList<CharacterDefinition::Frame> mouthFramesByTiming(const QString &text) const;
    void becomeIdle();
    void blink();
    void revealWindow();
    void drawAhead();
    void cancelSpeech();
    void hideBalloon();
    int restDrawing() const;
    const CharacterDefinition::Animation &animation(QLatin1String name) const;
    QRect geometry() const;
    QRect figure() const;

    CharacterDefinition m_definition;
    std::unique_ptr<FrameCache> m_frames;
    SpeechSynthesis m_synthesis;
    AudioOutputFactory m_audioFactory;
    std::unique_ptr<AudioOutput> m_audio;
    std::unique_ptr<CharacterWindow> m_window;
    std::unique_ptr<SpeechBalloon> m_balloon;
    AnimationPlayer m_player;
    ClockTimer *m_blinkTimer;
    ClockTimer *m_balloonTimer;
    ClockTimer *m_drawAheadTimer;
    QList<Request> m_queue;
    std::optional<Request> m_current;
    bool m_blinking = false;
    bool m_shown = false; // from Show until Hide is done; the window follows on the event loop
    bool m_revealing = false; // a Show waits for its first frame to be drawn
    quint64 m_speech = 0; // numbers each speech, so that a late synthesis of a stopped one is dropped
    int m_left = 0;
    int m_top = 0;
};

} // namespace velmora::character
