// The main panel's lens section: ZI/ZO, FN/FF, IO/IC held and released,
// "Lens Fast", the manual iris and focus latches, auto focus on PTZ.
#include "control/MainPanel.h"

#include "control/JavelinMotion.h"
#include "link/CameraLink.h"

namespace tarn {

void MainPanel::lensPressed(LensButton button)
{
    const int module = moduleType();
    const bool javelin = isJavelin();
    const bool variableSpeed = m_ptType == 1 || m_ptType == 2;
    std::string_view text;
    std::uint8_t arg = 0;
    bool frame = false;

    switch (button) {
    case LensButton::ZoomIn:
    case LensButton::ZoomOut: {
        const bool in = button == LensButton::ZoomIn;
        m_zoomHeld = true;
        if (m_tourInterrupted)
            m_tourInterrupted();
        if (module == ModuleDayNight) {
            if (javelin) {
                frame = true;
                arg = in ? Javelin::ZoomIn : Javelin::ZoomOut;
            } else if (!variableSpeed) {
                text = in ? "ZI" : "ZO";
            } else {
                text = in ? (m_lensFast ? "cZ2" : "cZ0") : (m_lensFast ? "cz2" : "cz0");
            }
        } else if (module == ModuleThermal && !javelin) {
            text = in ? "tXI" : "tXD";
        }
        break;
    }
    case LensButton::FocusNear:
    case LensButton::FocusFar: {
        const bool near = button == LensButton::FocusNear;
        m_focusHeld = true;
        if (m_tourInterrupted)
            m_tourInterrupted();
        if (module == ModuleDayNight || module == ModuleThermal) {
            if (javelin) {
                frame = true;
                arg = near ? Javelin::FocusNear : Javelin::FocusFar;
            } else {
                text = near ? "FN" : "FF";
            }
        }
        break;
    }
    case LensButton::IrisOpen:
    case LensButton::IrisClose: {
        const bool open = button == LensButton::IrisOpen;
        m_irisHeld = true;
        if (module == ModuleDayNight) {
            if (javelin) {
                frame = true;
                arg = open ? Javelin::IrisOpen : Javelin::IrisClose;
            } else {
                text = open ? "IO" : "IC";
            }
        }
        break;
    }
    }
    m_heldButton = button;
    if (frame)
        queueFrame(Javelin::Motion, arg);
    else if (!text.empty())
        queue(text);
}

void MainPanel::lensReleased()
{
    const int module = moduleType();
    const bool javelin = isJavelin();
    const bool variableSpeed = m_ptType == 1 || m_ptType == 2;
    std::string_view text;
    std::uint8_t stop = 0;
    bool allowed = false;
    if (m_zoomHeld) {
        m_zoomHeld = false;
        allowed = module == ModuleDayNight;
        text = "ZS";
        stop = m_heldButton == LensButton::ZoomOut ? Javelin::ZoomOutStop : Javelin::ZoomInStop;
    } else if (m_irisHeld) {
        m_irisHeld = false;
        allowed = module == ModuleDayNight;
        text = variableSpeed ? "IS" : "cIs";
        stop = m_heldButton == LensButton::IrisClose ? Javelin::IrisCloseStop : Javelin::IrisOpenStop;
    } else if (m_focusHeld) {
        m_focusHeld = false;
        allowed = module == ModuleDayNight || module == ModuleThermal;
        text = variableSpeed ? "FS" : "cFs";
        stop = m_heldButton == LensButton::FocusFar ? Javelin::FocusFarStop : Javelin::FocusNearStop;
    } else {
        return;
    }
    changed(); // the buttons lose their pressed look
    if (!allowed)
        return;
    if (javelin)
        queueFrame(Javelin::Motion, stop, 10);
    else
        queue(text, 10);
}

void MainPanel::lensFast()
{
    queue("LL");
}

void MainPanel::toggleManualIris()
{
    const bool javelin = isJavelin();
    const int type = cameraType();
    if (!javelin && !(type >= 0 && type <= 3) && type != 5)
        return;
    // The flag flips: IO and IC become usable exactly when it was set.
    setManualIrisState(m_manualIris);
    m_shown.manualIris = m_lamps.manualIris;
    if (javelin)
        queueFrame(Javelin::Function, Javelin::ManualIris);
    else
        queue("LM");
    changed();
}

void MainPanel::toggleManualFocus()
{
    const bool javelin = isJavelin();
    const int type = cameraType();
    if (!javelin && !(type >= 0 && type <= 3) && type != 5)
        return;
    setManualFocusState(!m_manualFocus, false);
    m_shown.manualFocus = m_lamps.manualFocus;
    if (javelin)
        queueFrame(Javelin::Function, Javelin::ManualFocus);
    else
        queue("L1");
    changed();
}

void MainPanel::toggleAutoFocusOnPtz()
{
    m_autoFocusOnPtz = !m_autoFocusOnPtz;
    m_shown.autoFocusOnPtz = m_autoFocusOnPtz;
    m_link.SendCommand("L6");
    changed();
}

} // namespace tarn
