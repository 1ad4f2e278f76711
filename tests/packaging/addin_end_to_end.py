#!/usr/bin/env python3
"""The Impress add-in from end to end: installs the built .oxt into a private office profile with
unopkg, opens a presentation whose path holds blanks and quotes in a headless Impress, runs the
add-in's command the way its toolbar button does, and checks that a stand-in `trovique` found on
the PATH receives "/AUTOPDB=<that path>" as one argument.

    addin_end_to_end.py OXT PRESENTATION

Exits 0 when it passes, 77 when a tool it needs is missing (skipped), 1 when it fails. unopkg
refuses per-user installs as root, so as root the test runs itself as the user nobody.
"""
import os
import shutil
import socket
import subprocess
import sys
import tempfile
import time

SKIP = 77
COMMAND = "net.norvane.trovique:convert"
TOOLBAR = "/org.openoffice.Office.Addons/AddonUI/OfficeToolBar/net.norvane.trovique.toolbar/m1"
STAND_IN = """#!/bin/sh
printf '%s\\0' "$@" > "$(dirname "$0")/received"
"""


def skip(why):
    print("SKIPPED: " + why)
    sys.exit(SKIP)


def fail(why):
    print("FAILED: " + why)
    sys.exit(1)


def as_nobody_if_root(scratch):
    if os.geteuid() != 0:
        return
    if shutil.which("setpriv") is None:
        skip("running as root without setpriv to drop to an ordinary user")
    for folder, dirs, files in os.walk(scratch):
        os.chown(folder, 65534, 65534)
        for name in files:
            os.chown(os.path.join(folder, name), 65534, 65534)
    os.chmod(scratch, 0o755)
    os.environ["TROVIQUE_ADDIN_SCRATCH"] = scratch
    os.execvp("setpriv", ["setpriv", "--reuid=65534", "--regid=65534", "--clear-groups",
                          sys.executable] + sys.argv)


def free_port():
    with socket.socket() as probe:
        probe.bind(("127.0.0.1", 0))
        return probe.getsockname()[1]


def connect(port, office, deadline):
    import uno
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    while True:
        try:
            return resolver.resolve(
                "uno:socket,host=127.0.0.1,port=%d;urp;StarOffice.ComponentContext" % port)
        except Exception:
            if office.poll() is not None or time.monotonic() > deadline:
                fail("the office did not come up (exit %s)" % office.poll())
            time.sleep(0.5)


def property_value(name, value):
    import uno
    prop = uno.createUnoStruct("com.sun.star.beans.PropertyValue")
    prop.Name, prop.Value = name, value
    return prop


def toolbar_command(ctx):
    provider = ctx.ServiceManager.createInstanceWithContext(
        "com.sun.star.configuration.ConfigurationProvider", ctx)
    node = provider.createInstanceWithArguments(
        "com.sun.star.configuration.ConfigurationAccess", (property_value("nodepath", TOOLBAR),))
    return node.getByName("URL")


def run(oxt, presentation, scratch):
    bin_folder = os.path.join(scratch, "bin")
    os.makedirs(bin_folder, exist_ok=True)
    stand_in = os.path.join(bin_folder, "trovique")
    with open(stand_in, "w") as out:
        out.write(STAND_IN)
    os.chmod(stand_in, 0o755)
    deck_folder = os.path.join(scratch, "Team's \"best\" decks")
    os.makedirs(deck_folder, exist_ok=True)
    deck = os.path.join(deck_folder, "My talk 'v2' \"final\".fodp")
    shutil.copyfile(presentation, deck)
    as_nobody_if_root(scratch)

    import uno
    profile = uno.systemPathToFileUrl(os.path.join(scratch, "profile"))
    env = dict(os.environ, HOME=scratch, PATH=bin_folder + os.pathsep + os.environ["PATH"])
    added = subprocess.run(["unopkg", "add", "--suppress-license",
                            "-env:UserInstallation=" + profile, oxt],
                           env=env, capture_output=True, text=True, timeout=120)
    if added.returncode != 0:
        fail("unopkg add: " + added.stdout + added.stderr)

    port = free_port()
    office = subprocess.Popen(["soffice", "-env:UserInstallation=" + profile, "--headless",
                               "--invisible", "--norestore", "--nologo", "--nodefault",
                               "--accept=socket,host=127.0.0.1,port=%d;urp;" % port],
                              env=env, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    try:
        ctx = connect(port, office, time.monotonic() + 120)
        if toolbar_command(ctx) != COMMAND:
            fail("the toolbar button runs %r" % toolbar_command(ctx))
        desktop = ctx.ServiceManager.createInstanceWithContext("com.sun.star.frame.Desktop", ctx)
        document = desktop.loadComponentFromURL(uno.systemPathToFileUrl(deck), "_blank", 0,
                                                (property_value("Hidden", True),))
        frame = document.getCurrentController().getFrame()
        helper = ctx.ServiceManager.createInstanceWithContext(
            "com.sun.star.frame.DispatchHelper", ctx)
        helper.executeDispatch(frame, COMMAND, "", 0, ())
        received = os.path.join(bin_folder, "received")
        deadline = time.monotonic() + 30
        while not os.path.exists(received) and time.monotonic() < deadline:
            time.sleep(0.2)
        time.sleep(0.2)
        if not os.path.exists(received):
            fail("the stand-in trovique was not started")
        with open(received, "rb") as got:
            arguments = got.read().split(b"\0")[:-1]
        expected = [("/AUTOPDB=" + deck).encode()]
        if arguments != expected:
            fail("trovique got %r, expected %r" % (arguments, expected))
        try:
            desktop.terminate()
        except Exception:
            pass  # the bridge goes down with the office
    finally:
        try:
            office.wait(timeout=30)
        except subprocess.TimeoutExpired:
            office.kill()
            office.wait()
    print("PASSED: trovique got /AUTOPDB=" + deck)


def main():
    if len(sys.argv) != 3:
        fail(__doc__)
    for tool in ("soffice", "unopkg"):
        if shutil.which(tool) is None:
            skip(tool + " is not on the PATH")
    try:
        import uno  # noqa: F401
    except ImportError:
        skip("python3-uno is not installed")
    oxt, presentation = (os.path.abspath(arg) for arg in sys.argv[1:])
    scratch = os.environ.get("TROVIQUE_ADDIN_SCRATCH")
    if scratch:
        run(oxt, presentation, scratch)
        return
    scratch = tempfile.mkdtemp(prefix="trovique-addin-")
    try:
        pid = os.fork()
        if pid == 0:
            run(oxt, presentation, scratch)
            os._exit(0)
        _, status = os.waitpid(pid, 0)
        sys.exit(os.waitstatus_to_exitcode(status))
    finally:
        shutil.rmtree(scratch, ignore_errors=True)


if __name__ == "__main__":
    main()
