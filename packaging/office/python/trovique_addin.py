# The Impress add-in's command "Convert to Palm Slide Show": makes sure the presentation is a
# saved file, then starts "trovique /AUTOPDB=<file>", which converts it and asks where the slide
# show goes. The file is handed over as one argument, never through a shell.

import os
import shutil
import subprocess

import uno
import unohelper
from com.sun.star.frame import XDispatch, XDispatchProvider
from com.sun.star.lang import XInitialization, XServiceInfo

IMPLEMENTATION = "net.norvane.trovique.ConvertToPalm"
SERVICE = "com.sun.star.frame.ProtocolHandler"
PROTOCOL = "net.norvane.trovique:"
TITLE = "Convert to Palm Slide Show"

# com.sun.star.awt.MessageBoxResults
YES, NO = 2, 3


def find_trovique():
    """The trovique program: on the PATH, else where the package puts it."""
    found = shutil.which("trovique")
    if found:
        return found
    return "/usr/bin/trovique" if os.access("/usr/bin/trovique", os.X_OK) else None


def conversion_command(program, presentation):
    return [program, "/AUTOPDB=" + presentation]


class Office:
    """What the command needs of the office around it: questions, messages and the document's
    own Save and Save As commands."""

    def __init__(self, ctx, frame):
        self.ctx = ctx
        self.frame = frame
        self.document = frame.getController().getModel() if frame else None

    def _box(self, kind, buttons, text):
        smgr = self.ctx.getServiceManager()
        toolkit = smgr.createInstanceWithContext("com.sun.star.awt.Toolkit", self.ctx)
        box = toolkit.createMessageBox(self.frame.getContainerWindow(), kind, buttons, TITLE, text)
        try:
            return box.execute()
        finally:
            box.dispose()

    def ask(self, text):
        from com.sun.star.awt.MessageBoxButtons import BUTTONS_YES_NO_CANCEL
        from com.sun.star.awt.MessageBoxType import QUERYBOX
        return self._box(QUERYBOX, BUTTONS_YES_NO_CANCEL, text)

    def tell(self, text):
        from com.sun.star.awt.MessageBoxButtons import BUTTONS_OK
        from com.sun.star.awt.MessageBoxType import ERRORBOX
        self._box(ERRORBOX, BUTTONS_OK, text)

    def run_command(self, command):
        smgr = self.ctx.getServiceManager()
        helper = smgr.createInstanceWithContext("com.sun.star.frame.DispatchHelper", self.ctx)
        helper.executeDispatch(self.frame, command, "", 0, ())


def saved_presentation(office):
    """The presentation's file once it is saved as it is shown, or None when the user declines
    or the document is no file on disk."""
    document = office.document
    if not document.hasLocation():
        if office.ask("The presentation has not been saved yet. It must be saved before it can "
                      "be converted.\n\nSave it now?") != YES:
            return None
        office.run_command(".uno:SaveAs")
        if not document.hasLocation():
            return None
    elif document.isModified():
        answer = office.ask("The presentation has changes that are not saved. Save them before "
                            "converting?\n\nNo converts the presentation as it was last saved.")
        if answer == YES:
            office.run_command(".uno:Save")
        elif answer != NO:
            return None
    url = document.getURL()
    if not url.startswith("file:"):
        office.tell("Only a presentation saved as a file on this computer can be converted.")
        return None
    return uno.fileUrlToSystemPath(url)


def convert(office):
    presentation = saved_presentation(office)
    if presentation is None:
        return
    program = find_trovique()
    if program is None:
        office.tell("The program trovique was not found. Install the Trovique package, or put "
                    "trovique on the PATH.")
        return
    try:
        subprocess.Popen(conversion_command(program, presentation), stdin=subprocess.DEVNULL,
                         stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                         close_fds=True, start_new_session=True)
    except OSError as error:
        office.tell("trovique could not be started: %s" % error.strerror)


class ConvertToPalm(unohelper.Base, XInitialization, XDispatchProvider, XDispatch, XServiceInfo):
    def __init__(self, ctx, *args):
        self.ctx = ctx
        self.frame = None

    def initialize(self, args):
        if args:
            self.frame = args[0]

    def queryDispatch(self, url, target, flags):
        return self if url.Protocol == PROTOCOL else None

    def queryDispatches(self, requests):
        return tuple(self.queryDispatch(r.FeatureURL, r.FrameName, r.SearchFlags)
                     for r in requests)

    def dispatch(self, url, args):
        if url.Path == "convert" and self.frame is not None:
            convert(Office(self.ctx, self.frame))

    def addStatusListener(self, listener, url):
        pass

    def removeStatusListener(self, listener, url):
        pass

    def getImplementationName(self):
        return IMPLEMENTATION

    def supportsService(self, name):
        return name == SERVICE

    def getSupportedServiceNames(self):
        return (SERVICE,)


g_ImplementationHelper = unohelper.ImplementationHelper()
g_ImplementationHelper.addImplementation(ConvertToPalm, IMPLEMENTATION, (SERVICE,))
