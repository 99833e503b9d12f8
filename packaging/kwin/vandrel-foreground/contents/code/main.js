// Tells the Vandrel desktop program which window is in front (its process, and its application
// id), so that a profile linked to a program is used while that program's window is active.
// Plasma 6 names the signal windowActivated, Plasma 5 clientActivated.
const service = "io.github.vandrel.Foreground";
const path = "/io/github/vandrel/Foreground";
const iface = "io.github.vandrel.Foreground";

function report(window) {
    if (!window) {
        callDBus(service, path, iface, "NothingActive");
        return;
    }
    // The process travels as text: callDBus may send a script's number as a double.
    const pid = window.pid > 0 ? String(window.pid) : "";
    const appId = String(window.desktopFileName || window.resourceClass || "");
    callDBus(service, path, iface, "WindowActivated", pid, appId);
}

if (workspace.windowActivated !== undefined) {
    workspace.windowActivated.connect(report);
    report(workspace.activeWindow);
} else {
    workspace.clientActivated.connect(report);
    report(workspace.activeClient);
}
