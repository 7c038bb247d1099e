#!/usr/bin/python3
"""A stand-in for the desktop portal's Screenshot interface on the session bus.

  fake_portal.py --version N --answer ANSWER --record FILE

ANSWER is "color:R,G,B" (fractions 0..1), "cancel:CODE" or "none" (never answers).
Every PickColor call is appended to FILE as one JSON line with parent_window and
options; "ready" goes to standard output once the portal's name is owned.
"""
import argparse
import json
import os
import sys

import dbus
import dbus.mainloop.glib
import dbus.service
from gi.repository import GLib

PORTAL_NAME = "org.freedesktop.portal.Desktop"
PORTAL_PATH = "/org/freedesktop/portal/desktop"
SCREENSHOT = "org.freedesktop.portal.Screenshot"
REQUEST = "org.freedesktop.portal.Request"
PROPERTIES = "org.freedesktop.DBus.Properties"


class Request(dbus.service.Object):
    def __init__(self, bus, path):
        super().__init__(bus, path)
        self.closed = False

    @dbus.service.signal(REQUEST, signature="ua{sv}")
    def Response(self, response, results):
        pass

    @dbus.service.method(REQUEST, in_signature="", out_signature="")
    def Close(self):
        self.closed = True
        self.remove_from_connection()


class Portal(dbus.service.Object):
    def __init__(self, bus, version, answer, record):
        super().__init__(bus, PORTAL_PATH)
        self.bus = bus
        self.version = version
        self.answer = answer
        self.record = record
        self.requests = []

    @dbus.service.method(PROPERTIES, in_signature="ss", out_signature="v")
    def Get(self, interface, name):
        if interface == SCREENSHOT and name == "version":
            return dbus.UInt32(self.version)
        raise dbus.exceptions.DBusException(
            "no such property", name="org.freedesktop.DBus.Error.InvalidArgs")

    @dbus.service.method(PROPERTIES, in_signature="s", out_signature="a{sv}")
    def GetAll(self, interface):
        return {"version": dbus.UInt32(self.version)} if interface == SCREENSHOT else {}

    @dbus.service.method(SCREENSHOT, in_signature="sa{sv}", out_signature="o",
                         sender_keyword="sender")
    def PickColor(self, parent_window, options, sender):
        with open(self.record, "a", encoding="utf-8") as record:
            json.dump({"parent_window": str(parent_window),
                       "options": {str(k): str(v) for k, v in options.items()}}, record)
            record.write("\n")
        token = str(options.get("handle_token", "t%d" % len(self.requests)))
        path = "/org/freedesktop/portal/desktop/request/%s/%s" % (
            sender[1:].replace(".", "_"), token)
        request = Request(self.bus, path)
        self.requests.append(request)
        if self.answer != "none":
            # After the method has returned, as a real portal answers after the user.
            GLib.timeout_add(50, self.respond, request)
        return dbus.ObjectPath(path)

    def respond(self, request):
        kind, _, value = self.answer.partition(":")
        if kind == "color":
            rgb = dbus.Struct([float(x) for x in value.split(",")], signature="ddd")
            request.Response(dbus.UInt32(0), dbus.Dictionary({"color": rgb}, signature="sv"))
        else:
            request.Response(dbus.UInt32(int(value)), dbus.Dictionary({}, signature="sv"))
        return False


def main():
    parser = argparse.ArgumentParser()
    parser.add_argument("--version", type=int, default=2)
    parser.add_argument("--answer", default="color:0,0,0")
    parser.add_argument("--record", required=True)
    args = parser.parse_args()

    dbus.mainloop.glib.DBusGMainLoop(set_as_default=True)
    bus = dbus.SessionBus()
    portal = Portal(bus, args.version, args.answer, args.record)
    name = dbus.service.BusName(PORTAL_NAME, bus, do_not_queue=True)
    assert portal and name
    print("ready", flush=True)
    loop = GLib.MainLoop()
    GLib.unix_signal_add(GLib.PRIORITY_DEFAULT, 15, loop.quit)
    loop.run()
    # Straight out: the bus may already be gone, and nothing needs releasing.
    os._exit(0)


if __name__ == "__main__":
    sys.exit(main())
