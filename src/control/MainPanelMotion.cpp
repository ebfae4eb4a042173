// The main panel's pan/tilt section: the pad's command texts, as Tarn
// commands or as Javelin motion frames, and the stop owed at exit.
#include "control/MainPanel.h"

#include "control/JavelinMotion.h"
#include "link/CameraLink.h"

namespace tarn {

void MainPanel::sendHeldStopsNow()
{
    // The console is closing: the queue no longer runs, so the stops go out
    // at once, before the camera's last commands.
    m_stopsGoNow = true;
    lensReleased();
    if (m_padMoving)
        ptCommand(PadStop);
    m_stopsGoNow = false;
}

void MainPanel::ptCommand(std::string_view text)
{
    // Nudges are single steps; anything else but the stop leaves the camera moving.
    if (!text.starts_with('n'))
        m_padMoving = text != PadStop;
    if (m_tourInterrupted)
        m_tourInterrupted();
    if (isJavelin()) {
        ptCommandJavelin(text);
        return;
    }
    // The stop overtakes everything that is still waiting.
    if (text == PadStop && (m_ptType == 1 || m_ptType == 2))
        m_link.queue().reset();
    queue(text, 50);
}

void MainPanel::panStop()
{
    queueFrame(Javelin::Motion, m_panLeft ? Javelin::PanLeftStop : Javelin::PanRightStop, 50);
}

void MainPanel::tiltStop()
{
    queueFrame(Javelin::Motion, m_tiltUp ? Javelin::TiltUpStop : Javelin::TiltDownStop, 50);
}

void MainPanel::ptCommandJavelin(std::string_view text)
{
    const auto c = [&](std::size_t i) { return i < text.size() ? text[i] : '\0'; };
    const auto tilt = [&](char letter) {
        if (letter == 'u' || letter == 'U') {
            m_tiltUp = true;
            queueFrame(Javelin::Motion, Javelin::TiltUp, 50);
        } else if (letter == 'd' || letter == 'D') {
            m_tiltUp = false;
            queueFrame(Javelin::Motion, Javelin::TiltDown, 50);
        } else {
            tiltStop();
        }
    };
    const auto pan = [&](char letter) {
        if (letter == 'l' || letter == 'L') {
            m_panLeft = true;
            queueFrame(Javelin::Motion, Javelin::PanLeft, 50);
        } else if (letter == 'r' || letter == 'R') {
            m_panLeft = false;
            queueFrame(Javelin::Motion, Javelin::PanRight, 50);
        } else {
            panStop();
        }
    };

    if (text == PadStop) {
        m_link.queue().reset();
        queueFrame(Javelin::Motion, Javelin::PanLeftStop, 50);
        queueFrame(Javelin::Motion, Javelin::PanRightStop, 50);
        queueFrame(Javelin::Motion, Javelin::TiltUpStop, 50);
        queueFrame(Javelin::Motion, Javelin::TiltDownStop, 50);
        return;
    }
    if (c(0) == 'n') {
        queue(text, 50); // nudges go as text
        return;
    }
    if (m_ptType == 0) {
        if (c(0) != 'P')
            return;
        pan(c(1));
        tilt(c(3));
        return;
    }
    // The pad's proportional texts: "l"/"r" + code or "PS", then "u"/"d" + code or "TS".
    if (c(0) == 'P' && c(1) == 'S') {
        queueFrame(Javelin::Motion, Javelin::PanLeftStop, 50);
        queueFrame(Javelin::Motion, Javelin::PanRightStop, 50);
    } else if (c(0) == 'l' || c(0) == 'r') {
        pan(c(0));
    } else {
        return;
    }
    tilt(c(2) == 'T' ? 'S' : c(2));
}

} // namespace tarn
