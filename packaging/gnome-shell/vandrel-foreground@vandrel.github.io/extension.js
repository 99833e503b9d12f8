// Tells the Vandrel desktop program which window is in front (its process, and its application
// id), so that a profile linked to a program is used while that program's window is active.
import Gio from 'gi://Gio';
import GLib from 'gi://GLib';
import {Extension} from 'resource:///org/gnome/shell/extensions/extension.js';

const SERVICE = 'io.github.vandrel.Foreground';
const PATH = '/io/github/vandrel/Foreground';
const INTERFACE = 'io.github.vandrel.Foreground';

function report() {
    const window = global.display.focus_window;
    let method = 'NothingActive';
    let parameters = null;
    if (window) {
        const pid = window.get_pid();
        const appId = window.get_sandboxed_app_id() || window.get_gtk_application_id() ||
            window.get_wm_class() || '';
        method = 'WindowActivated';
        parameters = new GLib.Variant('(ss)', [pid > 0 ? String(pid) : '', appId]);
    }
    // Nobody answers while the program is not running: the call is dropped, nothing waits.
    Gio.DBus.session.call(SERVICE, PATH, INTERFACE, method, parameters, null,
        Gio.DBusCallFlags.NO_AUTO_START, -1, null, null);
}

export default class VandrelForeground extends Extension {
    enable() {
        this._focusChanged = global.display.connect('notify::focus-window', report);
        report();
    }

    disable() {
        global.display.disconnect(this._focusChanged);
        this._focusChanged = null;
    }
}
