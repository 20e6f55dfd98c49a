#include "character/AgentCharacter.h"

#include "base/Error.h"
#include "base/ErrorNumbers.h"
#include "base/ScreenFit.h"
#include "character/CharacterWindow.h"
#include "character/SpeechBalloon.h"

#include <QFuture>
#include <QGuiApplication>
#include <QPromise>
#include <QRandomGenerator>
#include <QScreen>
#include <QThreadPool>

using namespace Qt::StringLiterals;

namespace velmora::character {

namespace {

constexpr int BalloonLingerMs = 1500; // the balloon stays this long after the word
constexpr int BlinkMinMs = 4000;
constexpr int BlinkMaxMs = 9000;

} // namespace

AgentCharacter::AgentCharacter(CharacterDefinition definition, std::unique_ptr<FrameCache> frames,
    SpeechSynthesis synthesis, AudioOutputFactory audio, Clock &clock, QObject *parent)
    : QObject(parent)
    , m_definition(std::move(definition))
    , m_frames(std::move(frames))
    , m_synthesis(std::move(synthesis))
    , m_audioFactory(std::move(audio))
    , m_window(std::make_unique<CharacterWindow>(*m_frames))
    , m_balloon(std::make_unique<SpeechBalloon>())
    , m_player(clock)
    , m_blinkTimer(clock.createTimer(this))
    , m_balloonTimer(clock.createTimer(this))
    , m_drawAheadTimer(clock.createTimer(this))
{
    m_window->setWindowTitle(m_definition.displayName);
    m_window->setAccessibleName(m_definition.displayName);
    // The rest pose first: every drawing not drawn yet shows it.
    m_frames->request(restDrawing());
    m_window->showDrawing(restDrawing());
    // Until the caller places it: the bottom right corner of the screen.
    if (const QScreen *screen = QGuiApplication::primaryScreen()) {
        const QRect area = screen->availableGeometry();
        m_left = area.right() - m_frames->size().width() - 32;
        m_top = area.bottom() - m_frames->size().height() - 32;
    }
    m_window->move(m_left, m_top);

    connect(&m_player, &AnimationPlayer::frameChanged, m_window.get(), &CharacterWindow::showDrawing);
    connect(&m_player, &AnimationPlayer::frameChanged, this, &AgentCharacter::drawingChanged);
    connect(&m_player, &AnimationPlayer::finished, this, &AgentCharacter::onPlayerFinished);
    connect(m_frames.get(), &FrameCache::drawn, this, [this] {
        if (m_revealing)
            revealWindow();
    });
    connect(m_window.get(), &CharacterWindow::moved, this, [this](QPoint topLeft) {
        m_left = topLeft.x();
        m_top = topLeft.y();
        m_balloon->follow(figure());
    });
    m_blinkTimer->setSingleShot(true);
    connect(m_blinkTimer, &ClockTimer::timeout, this, &AgentCharacter::blink);
    m_balloonTimer->setSingleShot(true);
    m_balloonTimer->setInterval(BalloonLingerMs);
    connect(m_balloonTimer, &ClockTimer::timeout, this, &AgentCharacter::hideBalloon);
    // A zero timer: one frame per turn of the event loop, so input waits at
    // most one frame's drawing.
    m_drawAheadTimer->setInterval(0);
    connect(m_drawAheadTimer, &ClockTimer::timeout, this, &AgentCharacter::drawAhead);
}

AgentCharacter::~AgentCharacter()
{
    unload();
}

void AgentCharacter::setLeft(int left)
{
    ensureLoaded();
    placeAt(QPoint(left, m_top));
}

void AgentCharacter::setTop(int top)
{
    ensureLoaded();
    placeAt(QPoint(m_left, top));
}

// A place that would put part of the character off the screen's available
// area (a small screen, a large scale factor) gives way to the nearest one
// inside it.
void AgentCharacter::placeAt(QPoint topLeft)
{
    const QRect wanted(topLeft, m_frames->size());
    const QScreen *screen = QGuiApplication::screenAt(wanted.center());
    if (!screen)
        screen = QGuiApplication::screenAt(topLeft);
    if (!screen)
        screen = QGuiApplication::primaryScreen();
    const QRect placed = screen ? keptInside(wanted, screen->availableGeometry()) : wanted;
    m_left = placed.left();
    m_top = placed.top();
    m_window->move(m_left, m_top);
}

int AgentCharacter::left() const
{
    ensureLoaded();
    return m_left;
}

int AgentCharacter::top() const
{
    ensureLoaded();
    return m_top;
}

void AgentCharacter::Show()
{
    ensureLoaded();
    enqueue({ Request::Show, AnimationName::Showing, {} });
}

void AgentCharacter::Hide()
{
    ensureLoaded();
    enqueue({ Request::Hide, AnimationName::Hiding, {} });
}

void AgentCharacter::Play(const QString &animation)
{
    ensureLoaded();
    const CharacterDefinition::Animation *found = m_definition.animation(animation);
    if (!found)
        throw Error(ErrorNumber::UnknownAnimation,
            u"The character \"%1\" has no animation named \"%2\"."_s.arg(
                m_definition.displayName, animation));
    enqueue({ Request::Animation, found->name, {} });
}

void AgentCharacter::Stop()
{
    ensureLoaded();
    m_queue.clear();
    m_current.reset();
    m_player.stop();
    m_blinking = false;
    cancelSpeech();
    becomeIdle();
}

void AgentCharacter::GestureAt(int x, int y)
{
    ensureLoaded();
    const QPoint middle = geometry().center();
    const int dx = x - middle.x();
    const int dy = y - middle.y();
    QLatin1String direction = std::abs(dx) >= std::abs(dy)
        ? (dx < 0 ? AnimationName::GestureLeft : AnimationName::GestureRight)
        : (dy < 0 ? AnimationName::GestureUp : AnimationName::GestureDown);
    enqueue({ Request::Animation, animation(direction).name, {} });
}

void AgentCharacter::Speak(const QString &text)
{
    ensureLoaded();
    if (text.isEmpty())
        throw Error(ErrorNumber::InvalidArgument, u"There is no text to speak."_s);
    enqueue({ Request::Speak, AnimationName::Speaking, text });
}

bool AgentCharacter::isShown() const
{
    return m_window && m_shown;
}

QString AgentCharacter::currentAnimation() const
{
    return m_current ? m_current->animation : QString();
}

QStringList AgentCharacter::queuedAnimations() const
{
    QStringList names;
    for (const Request &request : m_queue)
        names.append(request.animation);
    return names;
}

bool AgentCharacter::isBalloonShown() const
{
    return m_balloon && m_balloon->isVisible();
}

QString AgentCharacter::balloonText() const
{
    return isBalloonShown() ? m_balloon->text() : QString();
}

int AgentCharacter::currentDrawing() const
{
    return m_window ? m_window->drawing() : -1;
}

QWidget *AgentCharacter::characterWindow() const
{
    return m_window.get();
}

void AgentCharacter::unload()
{
    if (!m_window)
        return;
    m_queue.clear();
    m_current.reset();
    m_player.stop();
    m_blinking = false;
    m_blinkTimer->stop();
    m_drawAheadTimer->stop();
    m_frames->stop();
    m_revealing = false;
    cancelSpeech();
    m_audio.reset();
    m_balloon.reset();
    m_window.reset();
}

void AgentCharacter::ensureLoaded() const
{
    if (!m_window)
        throw Error(ErrorNumber::CharacterError,
            u"The character \"%1\" has been unloaded; load it again to use it."_s.arg(
                m_definition.displayName));
}

void AgentCharacter::enqueue(Request request)
{
    m_queue.append(std::move(request));
    if (!m_current)
        startNext();
}

void AgentCharacter::startNext()
{
    while (!m_current && !m_queue.isEmpty()) {
        Request request = m_queue.takeFirst();
        // Showing what is shown, or hiding what is hidden, has nothing to do.
        if ((request.kind == Request::Show && m_shown) || (request.kind == Request::Hide && !m_shown))
            continue;

        m_blinkTimer->stop();
        if (m_blinking) {
            m_player.stop();
            m_blinking = false;
        }
        m_current = request;
        switch (request.kind) {
        case Request::Show:
            m_shown = true;
            m_revealing = true;
            m_window->showDrawing(animation(AnimationName::Showing).frames.first().drawing);
            QMetaObject::invokeMethod(this, &AgentCharacter::revealWindow, Qt::QueuedConnection);
            break;
        case Request::Hide:
        case Request::Animation:
            m_player.play(request.animation, m_definition.animation(request.animation)->frames);
            break;
        case Request::Speak:
            startSpeaking(request.text);
            break;
        }
        Q_EMIT animationStarted(request.animation);
        return;
    }
    if (!m_current)
        becomeIdle();
}

void AgentCharacter::onPlayerFinished(const QString &)
{
    if (m_blinking) {
        m_blinking = false;
        becomeIdle();
        return;
    }
    if (!m_current)
        return;
    const Request done = *std::exchange(m_current, std::nullopt);
    if (done.kind == Request::Hide) {
        m_shown = false;
        m_revealing = false;
        m_window->hide();
        m_balloonTimer->stop();
        hideBalloon();
    }
    if (m_shown)
        m_window->showDrawing(restDrawing());
    if (done.kind == Request::Speak) {
        m_balloonTimer->start();
        Q_EMIT spoken(done.text);
    }
    Q_EMIT animationFinished(done.animation);
    if (m_window && !m_current)
        startNext();
}

void AgentCharacter::startSpeaking(const QString &text)
{
    m_balloonTimer->stop();
    m_balloon->showText(text, figure());
    // What the character says, read out with its name while the balloon shows.
    m_window->setAccessibleDescription(text);

    // Synthesis takes a moment per word: it runs on the thread pool and the
    // result comes back through the event loop, unless this character is
    // gone by then (then() drops it) or the speech was stopped (m_speech moved on).
    const quint64 speech = ++m_speech;
    auto promise = std::make_shared<QPromise<SpeechAudio>>();
    QFuture<SpeechAudio> future = promise->future();
    promise->start();
    QThreadPool::globalInstance()->start(
        [promise, text, voice = m_definition.voice, synthesis = m_synthesis] {
            promise->addResult(synthesis ? synthesis(text, voice) : SpeechAudio());
            promise->finish();
        });
    future.then(this, [this, speech](const SpeechAudio &audio) {
        // When the synthesis beat this then(), the continuation runs at once,
        // inside Speak(); the speech must still start from the event loop.
        QMetaObject::invokeMethod(
            this,
            [this, speech, audio] {
                if (speech == m_speech && m_current && m_current->kind == Request::Speak)
                    playSpeech(audio);
            },
            Qt::QueuedConnection);
    });
}

void AgentCharacter::playSpeech(const SpeechAudio &audio)
{
    QList<CharacterDefinition::Frame> frames;
    if (audio.isEmpty()) {
        frames = mouthFramesByTiming(m_current->text);
    } else {
        if (!m_audio && m_audioFactory)
            m_audio = m_audioFactory();
        if (m_audio)
            m_audio->play(audio);
        frames = mouthFrames(audio);
    }
    m_player.play(m_current->animation, frames);
    Q_EMIT speakingStarted(m_current->text);
}

// The mouth follows the voice: each cue shows the Speaking frame for its openness until the next cue.
QList<CharacterDefinition::Frame> AgentCharacter::mouthFrames(const SpeechAudio &audio) const
{
    const QList<CharacterDefinition::Frame> &shapes = animation(AnimationName::Speaking).frames;
    const qsizetype last = shapes.size() - 1;
    auto shape = [&](int openness) { return shapes.at((openness * last + 1) / 2).drawing; };

    QList<CharacterDefinition::Frame> frames;
    const int end = audio.durationMs();
    int at = 0;
    int drawing = shape(0);
    auto hold = [&](int until) {
        if (until <= at)
            return;
        if (!frames.isEmpty() && frames.last().drawing == drawing)
            frames.last().durationMs += until - at;
        else
            frames.append({ drawing, until - at });
        at = until;
    };
    for (const SpeechAudio::MouthCue &cue : audio.mouth) {
        hold(std::clamp(cue.atMs, at, end));
        drawing = shape(std::clamp(cue.openness, 0, 2));
    }
    hold(end);
    if (frames.isEmpty())
        frames.append({ shape(0), std::max(end, 1) });
    return frames;
}

// Without a voice the mouth still moves, through the Speaking frames at their own pace.
QList<CharacterDefinition::Frame> AgentCharacter::mouthFramesByTiming(const QString &text) const
{
    const QList<CharacterDefinition::Frame> &shapes = animation(AnimationName::Speaking).frames;
    const int total = std::clamp(int(text.size()) * 90, 600, 6000);
    QList<CharacterDefinition::Frame> frames;
    for (int at = 0, i = 0; at < total; ++i) {
        frames.append(shapes.at(i % shapes.size()));
        at += frames.last().durationMs;
    }
    return frames;
}

void AgentCharacter::becomeIdle()
{
    if (!m_window || !m_shown) {
        m_blinkTimer->stop();
        return;
    }
    m_window->showDrawing(restDrawing());
    m_blinkTimer->start(QRandomGenerator::global()->bounded(BlinkMinMs, BlinkMaxMs));
    // Frames are drawn when first shown. Once the character has nothing to
    // do, it draws the others ahead, so that no animation waits on them.
    if (!m_frames->isComplete())
        m_drawAheadTimer->start();
}

void AgentCharacter::blink()
{
    if (m_current || !m_window || !m_shown)
        return;
    m_blinking = true;
    m_player.play(AnimationName::Idle, animation(AnimationName::Idle).frames);
}

// On the event loop after a Show, and again whenever a frame is drawn until
// the first frame of Showing is: then the window appears with it and the
// animation starts, unless a Stop came first.
void AgentCharacter::revealWindow()
{
    if (!m_window || !m_shown || !m_revealing)
        return;
    const QList<CharacterDefinition::Frame> &showing = animation(AnimationName::Showing).frames;
    if (!m_frames->isReady(showing.first().drawing))
        return;
    m_revealing = false;
    m_window->show();
    if (m_current && m_current->kind == Request::Show)
        m_player.play(m_current->animation, showing);
}

void AgentCharacter::drawAhead()
{
    if (!m_frames->renderNext())
        m_drawAheadTimer->stop();
}

void AgentCharacter::cancelSpeech()
{
    ++m_speech;
    if (m_audio)
        m_audio->stop();
    m_balloonTimer->stop();
    hideBalloon();
}

void AgentCharacter::hideBalloon()
{
    if (m_balloon)
        m_balloon->hide();
    if (m_window)
        m_window->setAccessibleDescription(QString());
}

int AgentCharacter::restDrawing() const
{
    return animation(AnimationName::Rest).frames.first().drawing;
}

const CharacterDefinition::Animation &AgentCharacter::animation(QLatin1String name) const
{
    // The parser refuses files that lack any of the animations named here.
    return *m_definition.animation(QString(name));
}

QRect AgentCharacter::geometry() const
{
    return QRect(QPoint(m_left, m_top), m_frames->size());
}

// Frames leave room for arms and sparkles; the balloon goes beside the figure itself.
QRect AgentCharacter::figure() const
{
    const QRect drawn = m_frames->mask(restDrawing()).boundingRect();
    return (drawn.isEmpty() ? QRect(QPoint(0, 0), m_frames->size()) : drawn).translated(m_left, m_top);
}

} // namespace velmora::character
