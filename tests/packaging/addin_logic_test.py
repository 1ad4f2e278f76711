#!/usr/bin/env python3
"""The add-in's decisions before it starts trovique: when it asks to save, what a refusal does,
and the command it starts. Runs without an office, on stand-ins for the document and dialogs.

    addin_logic_test.py PATH/TO/trovique_addin.py
"""
import importlib.util
import sys
import unittest

SKIP = 77


class FakeDocument:
    def __init__(self, url="", modified=False):
        self.url = url
        self.modified = modified

    def hasLocation(self):
        return bool(self.url)

    def isModified(self):
        return self.modified

    def getURL(self):
        return self.url


class FakeOffice:
    """Answers the questions from a list and records what the add-in did."""

    def __init__(self, document, answers=(), save_as_url=None):
        self.document = document
        self.answers = list(answers)
        self.save_as_url = save_as_url
        self.asked, self.told, self.commands = [], [], []

    def ask(self, text):
        self.asked.append(text)
        return self.answers.pop(0)

    def tell(self, text):
        self.told.append(text)

    def run_command(self, command):
        self.commands.append(command)
        if command == ".uno:SaveAs" and self.save_as_url:
            self.document.url = self.save_as_url
        if command == ".uno:Save":
            self.document.modified = False


class SavedPresentationTest(unittest.TestCase):
    def test_cases(self):
        yes, no, cancel = addin.YES, addin.NO, 0
        url = "file:///talks/My%20talk%20%22v2%22.odp"
        path = "/talks/My talk \"v2\".odp"
        cases = [
            # name, document, answers, save-as result, expected path, expected commands
            ("saved and unchanged", FakeDocument(url), [], None, path, []),
            ("never saved, saved now", FakeDocument(), [yes], url, path, [".uno:SaveAs"]),
            ("never saved, declined", FakeDocument(), [no], url, None, []),
            ("never saved, dialog cancelled", FakeDocument(), [yes], None, None, [".uno:SaveAs"]),
            ("changed, saved first", FakeDocument(url, True), [yes], None, path, [".uno:Save"]),
            ("changed, as last saved", FakeDocument(url, True), [no], None, path, []),
            ("changed, cancelled", FakeDocument(url, True), [cancel], None, None, []),
        ]
        for name, document, answers, save_as, expected, commands in cases:
            with self.subTest(name):
                office = FakeOffice(document, answers, save_as)
                self.assertEqual(addin.saved_presentation(office), expected)
                self.assertEqual(office.commands, commands)
                self.assertEqual(office.answers, [], "every answer was asked for")

    def test_a_document_that_is_no_local_file_is_refused(self):
        office = FakeOffice(FakeDocument("https://example.invalid/talk.odp"))
        self.assertIsNone(addin.saved_presentation(office))
        self.assertEqual(len(office.told), 1)

    def test_the_file_is_one_argument(self):
        self.assertEqual(addin.conversion_command("/usr/bin/trovique", "/a b/'c' \"d\".odp"),
                         ["/usr/bin/trovique", "/AUTOPDB=/a b/'c' \"d\".odp"])


if __name__ == "__main__":
    try:
        import uno  # noqa: F401
    except ImportError:
        print("SKIPPED: python3-uno is not installed")
        sys.exit(SKIP)
    spec = importlib.util.spec_from_file_location("trovique_addin", sys.argv.pop(1))
    addin = importlib.util.module_from_spec(spec)
    spec.loader.exec_module(addin)
    unittest.main()
