"""Visits exported sites in a headless Chromium as a visitor would: clicks the pins, watches the slide
shows, follows the links, and, for the modern style, listens for the sound, uses the show's buttons and
keys, goes Back, and looks at the map in a phone's window.

    PINLORE_PROGRAM=build/bin/pinlore python3 exported_site_test.py ModernStyle|ClassicStyle

One site is made per run: maps written as Pinlore writes them, with pictures and a sound made here,
exported by the program in the style under test. The classic pages cannot be changed, so their test
records what works in today's browsers (pins, shows, links) and shortens their 5-second timer from
outside; the modern pages read "?interval=" for that.
"""

import json
import math
import os
import pathlib
import shutil
import struct
import subprocess
import sys
import tempfile
import unittest
import urllib.parse
import wave
import zlib
from xml.sax.saxutils import escape

sys.path.insert(0, os.path.dirname(os.path.abspath(__file__)))
import devtools  # noqa: E402

kDocument = "{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}"
kPhotoSpot = "{37ED8AE6-6686-4D72-8646-76614F2D5BD3}"
kMapSpot = "{7ECA5A46-CCCF-4A69-9672-197CD9613A61}"
kImageWidth, kImageHeight = 640, 480

# The root map's name and picture hold characters outside ASCII and characters HTML must escape.
kRootName = "Côte & <Ōsaka>"
kRootPictureName = "Carte de l'Été"
kRootPictureSize = (1000, 600)
kLinkedName = "Marché"
kSoundSeconds = 1.0

# A story whose words would be markup or script if a page took them as such.
kStory = {
    "title": "Harbour <b>&</b> \"Dawn\"",
    "text": "Boats came in\nbefore six.\n\n<script>window.storyRan = true</script> & the bells",
    "captions": ["<img src=x onerror=\"window.captionRan = true\"> The pier", "Fish & chips", ""],
}

# Spot bounds on the map picture. Spot 1's middle picture goes missing from the site.
kRootSpots = [
    {"kind": "photo", "bounds": (100, 100, 300, 250), "pictures": ["Harbour", "Market", "Bridge"], "sound": True,
     "story": kStory},
    {"kind": "photo", "bounds": (600, 300, 700, 400), "pictures": ["Harbour", "Market", "Bridge"]},
    {"kind": "map", "bounds": (850, 450, 950, 550)},
]
kLinkedSpots = [{"kind": "photo", "bounds": (300, 200, 340, 240), "pictures": ["Bridge"]}]


def write_png(path, size, colour):
    width, height = size
    raw = (b"\x00" + bytes(colour) * width) * height

    def chunk(kind, data):
        return struct.pack("!I", len(data)) + kind + data + struct.pack("!I", zlib.crc32(kind + data))

    with open(path, "wb") as png:
        png.write(b"\x89PNG\r\n\x1a\n" + chunk(b"IHDR", struct.pack("!IIBBBBB", width, height, 8, 2, 0, 0, 0))
                  + chunk(b"IDAT", zlib.compress(raw)) + chunk(b"IEND", b""))


def write_sound(path):
    rate = 8000
    with wave.open(str(path), "wb") as sound:
        sound.setnchannels(1)
        sound.setsampwidth(2)
        sound.setframerate(rate)
        sound.writeframes(b"".join(struct.pack("<h", int(8000 * math.sin(2 * math.pi * 440 * i / rate)))
                                   for i in range(int(rate * kSoundSeconds))))


def write_map(path, picture, spots, folder):
    """A .plm file as Pinlore saves it."""
    parts = [f'<Object clsid="{kDocument}"><MapFileKey vt="8">{escape(str(picture))}</MapFileKey>'
             f'<NumSpotsKey vt="3">{len(spots)}</NumSpotsKey>']
    for index, spot in enumerate(spots):
        left, top, right, bottom = spot["bounds"]
        bounds = (f'<BoundsTopKey vt="3">{top}</BoundsTopKey><BoundsLeftKey vt="3">{left}</BoundsLeftKey>'
                  f'<BoundsBottomKey vt="3">{bottom}</BoundsBottomKey><BoundsRightKey vt="3">{right}</BoundsRightKey>')
        if spot["kind"] == "map":
            parts.append(f'<Spot__{index}__Key vt="9" clsid="{kMapSpot}">{bounds}'
                         f'<MapNameKey vt="8">{escape(str(folder / (kLinkedName + ".plm")))}</MapNameKey>'
                         f'</Spot__{index}__Key>')
            continue
        files = "".join(f'<File__{j}__Key vt="8">{escape(str(folder / (name + ".png")))}</File__{j}__Key>'
                        for j, name in enumerate(spot["pictures"]))
        sound = escape(str(folder / "Bells.wav")) if spot.get("sound") else ""
        story = spot.get("story", {})
        words = "".join(f'<{key} vt="8">{escape(story[name])}</{key}>'
                        for key, name in (("TitleKey", "title"), ("TextKey", "text")) if story.get(name))
        words += "".join(f'<Caption__{j}__Key vt="8">{escape(caption)}</Caption__{j}__Key>'
                         for j, caption in enumerate(story.get("captions", [])) if caption)
        parts.append(f'<Spot__{index}__Key vt="9" clsid="{kPhotoSpot}"><NumFilesKey vt="3">{len(spot["pictures"])}'
                     f'</NumFilesKey>{bounds}{files}<AudioFileKey vt="8">{sound}</AudioFileKey>{words}'
                     f'</Spot__{index}__Key>')
    parts.append("</Object>")
    path.write_text("".join(parts), encoding="utf-8")


def map_to_page(picture_size, bounds):
    """The spot's rectangle on the 640 x 480 map image, as the export letterboxes the map picture."""
    width, height = picture_size
    if height * kImageWidth > width * kImageHeight:
        scale = kImageHeight / height
        scaled_width, scaled_height = int(width * scale), kImageHeight
    else:
        scale = kImageWidth / width
        scaled_width, scaled_height = kImageWidth, int(height * scale)
    left, top, right, bottom = bounds
    page_left = int(scale * left + (kImageWidth - scaled_width) // 2)
    page_top = int(scale * top + (kImageHeight - scaled_height) // 2)
    return (page_left, page_top, int(scale * (right - left) + page_left), int(scale * (bottom - top) + page_top))


def spot_centre(picture_size, bounds):
    left, top, right, bottom = map_to_page(picture_size, bounds)
    return (left + right) // 2, (top + bottom) // 2


def spot_page(index, spot):
    return f"spot{index}/index.html" if spot["kind"] == "map" else f"spot{index}.html"


def export_site(style, work):
    sources = work / "sources"
    sources.mkdir()
    write_png(sources / (kRootPictureName + ".png"), kRootPictureSize, (40, 120, 60))
    write_png(sources / (kLinkedName + " Plan.png"), (640, 480), (200, 180, 120))
    for name, colour in (("Harbour", (30, 60, 200)), ("Market", (200, 60, 30)), ("Bridge", (90, 90, 90))):
        write_png(sources / (name + ".png"), (320, 240), colour)
    write_sound(sources / "Bells.wav")
    write_map(sources / (kLinkedName + ".plm"), sources / (kLinkedName + " Plan.png"), kLinkedSpots, sources)
    root_map = sources / (kRootName + ".plm")
    write_map(root_map, sources / (kRootPictureName + ".png"), kRootSpots, sources)

    program = os.environ.get("PINLORE_PROGRAM")
    if not program:
        raise RuntimeError("PINLORE_PROGRAM must name the pinlore program to export with")
    sites = work / "sites"
    sites.mkdir()
    environment = dict(os.environ, PINLORE_REGISTRY=str(work / "registry.sqlite"), QT_QPA_PLATFORM="offscreen")
    finished = subprocess.run([program, "--export-html", str(root_map), str(sites), "--style", style],
                              env=environment, capture_output=True, text=True, timeout=120)
    if finished.returncode != 0:
        raise RuntimeError(f"the export failed ({finished.returncode}):\n{finished.stderr}")
    site = sites / kRootName
    for name in ("spot1_img1.jpg", "spot1_lo_res_img1.jpg"):
        (site / "images" / name).unlink()
    return site


# Reports every document the tab loads (by its path) and every picture source a page sets, in order.
kRecorder = """
pinloreRecord("page " + decodeURIComponent(location.pathname));
new MutationObserver((changes) => {
  for (const change of changes)
    if (change.target.tagName === "IMG")
      pinloreRecord("picture " + change.target.getAttribute("src"));
}).observe(document, {subtree: true, attributes: true, attributeFilter: ["src"]});
"""

kMapPicture = 'img[src="images/map.jpg"]'


class SiteInBrowser:
    """What a visitor finds in both styles. A subclass sets `style` and how a show is hurried."""

    style = None

    @classmethod
    def setUpClass(cls):
        cls.work = pathlib.Path(tempfile.mkdtemp(prefix=f"pinlore-{cls.style}-site-"))
        cls.site = export_site(cls.style, cls.work)
        cls.browser = devtools.Chromium()

    @classmethod
    def tearDownClass(cls):
        cls.browser.close()
        shutil.rmtree(cls.work, ignore_errors=True)

    def setUp(self):
        self.page = self.browser.open_page()
        self.addCleanup(self.page.close)
        self.page.add_binding("pinloreRecord")
        self.page.add_script_for_every_document(kRecorder)

    def path(self, relative):
        return str(self.site / relative)

    def records(self):
        return self.page.binding_calls("pinloreRecord")

    def go(self, relative, query=""):
        self.page.navigate((self.site / relative).as_uri() + query)

    def wait_loaded(self, relative):
        self.page.wait_for(f"document.readyState === 'complete' && "
                           f"decodeURIComponent(location.pathname) === {json.dumps(self.path(relative))}",
                           what=f"the page {relative}")

    def wait_for_record(self, relative, after):
        """Waits until the tab has gone to `relative` after the first `after` records; gives the count
        of records up to that one."""
        record = "page " + self.path(relative)
        self.page.wait_until(lambda: record in self.records()[after:], what=f"the page {relative}")
        return self.records().index(record, after) + 1

    def wait_for_page(self, relative, after):
        """Waits until the tab has gone to `relative` after the first `after` records, and it has loaded."""
        self.wait_for_record(relative, after)
        self.wait_loaded(relative)

    def open(self, relative, query=""):
        after = len(self.records())
        self.go(relative, query)
        self.wait_for_page(relative, after)

    def hurry_shows(self):
        """Makes the shows of the pages loaded from now on run quickly; gives what their address needs."""
        raise NotImplementedError

    def run_show(self, relative):
        """Plays a spot page's show to its end, back on its map."""
        query = self.hurry_shows()
        after = len(self.records())
        self.go(relative, query)
        started = self.wait_for_record(relative, after)
        self.wait_for_page(str(pathlib.PurePath(relative).parent / "index.html"), started)

    def pictures_shown(self, relative):
        """The picture sources that the page `relative` set, other than the map picture it starts with."""
        shown, current = [], None
        for record in self.records():
            kind, value = record.split(" ", 1)
            if kind == "page":
                current = value
            elif current == self.path(relative) and value != "images/map.jpg":
                shown.append(value)
        return shown

    def click_spot(self, picture_size, bounds):
        """Clicks where the spot's centre is on the map picture as the page shows it."""
        box = self.page.box(kMapPicture)
        x, y = spot_centre(picture_size, bounds)
        self.page.click(box["left"] + x * box["width"] / kImageWidth, box["top"] + y * box["height"] / kImageHeight)

    def test_each_pin_clicked_on_its_spot_reaches_its_page(self):
        maps = [("index.html", kRootPictureSize, kRootSpots), ("spot2/index.html", (640, 480), kLinkedSpots)]
        for index_page, picture_size, spots in maps:
            for index, spot in enumerate(spots):
                with self.subTest(map=index_page, spot=index):
                    self.open(index_page)
                    after = len(self.records())
                    self.click_spot(picture_size, spot["bounds"])
                    self.wait_for_page(index_page.replace("index.html", spot_page(index, spot)), after)

    def test_a_show_runs_through_its_pictures_and_returns_to_its_map(self):
        self.run_show("spot0.html")
        full = [source for source in self.pictures_shown("spot0.html") if "lo_res" not in source]
        self.assertEqual(full, [f"images/spot0_img{j}.jpg" for j in range(3)])
        self.run_show("spot2/spot0.html")
        self.assertEqual(self.pictures_shown("spot2/spot0.html")[-1], "images/spot0_img0.jpg")

    def test_up_links_lead_to_the_containing_map_and_names_show_as_written(self):
        self.open("spot2/index.html")
        self.assertEqual(self.page.evaluate("document.title"), kLinkedName + " Plan")
        self.assertEqual(self.page.evaluate("document.links[0].textContent"), f"Up to {kRootName}.")
        after = len(self.records())
        self.page.click_element("a[href='../index.html']")
        self.wait_for_page("index.html", after)
        self.assertEqual(self.page.evaluate("document.title"), kRootPictureName)

        self.open("spot0.html")
        self.assertEqual(self.page.evaluate("document.title"), kRootPictureName)
        self.assertEqual(self.page.evaluate("document.querySelector('a[href=\"index.html\"]').textContent"),
                         f"Up to {kRootName}")
        after = len(self.records())
        self.page.click_element("a[href='index.html']")
        self.wait_for_page("index.html", after)


class ClassicStyle(SiteInBrowser, unittest.TestCase):
    style = "classic"

    def hurry_shows(self):
        # The pages' own 5-second timer, shortened from outside: these pages cannot change.
        if getattr(self.page, "hurried", False):
            return ""
        self.page.hurried = True
        self.page.add_script_for_every_document(
            "const pinloreTimeout = window.setTimeout;"
            "window.setTimeout = (handler, delay, ...rest) => pinloreTimeout(handler, delay / 100, ...rest);")
        return ""

    def test_the_pages_say_nothing_of_stories(self):
        for page in ("index.html", "spot0.html"):
            text = (self.site / page).read_text(encoding="latin-1")
            for words in ("Harbour", "Boats", "pier", "Fish"):
                self.assertNotIn(words, text)


class ModernStyle(SiteInBrowser, unittest.TestCase):
    style = "modern"

    def hurry_shows(self):
        return "?interval=50"

    def wait_for_picture(self, source):
        self.page.wait_for(f"document.getElementById('picture').getAttribute('src') === {json.dumps(source)}",
                           what=f"the picture {source}")

    def test_pictures_show_at_low_resolution_only_before_their_full_picture(self):
        self.run_show("spot0.html")
        shown = self.pictures_shown("spot0.html")
        expected = [f"images/spot0_{kind}{j}.jpg" for j in range(3) for kind in ("lo_res_img", "img")]
        # A low-resolution picture overtaken by its full one is not shown at all.
        self.assertEqual([source for source in expected if source in shown], shown)
        self.assertEqual(len([source for source in shown if "lo_res" not in source]), 3)

    def test_a_missing_picture_is_skipped(self):
        self.run_show("spot1.html")
        full = [source for source in self.pictures_shown("spot1.html") if "lo_res" not in source]
        self.assertEqual(full, ["images/spot1_img0.jpg", "images/spot1_img2.jpg"])

    def test_the_spot_sound_is_in_an_audio_element_that_plays(self):
        self.open("spot0.html", "?interval=60000")
        self.assertTrue(self.page.evaluate("document.getElementById('sound').src").endswith("sounds/spot0_sound.wav"))
        self.page.wait_for("(() => { const sound = document.getElementById('sound');"
                           " return !sound.paused && sound.currentTime > 0; })()", what="the sound to play")
        self.assertAlmostEqual(self.page.evaluate("document.getElementById('sound').duration"), kSoundSeconds,
                               delta=0.05)
        self.assertTrue(self.page.evaluate("document.getElementById('sound').controls"))

    def test_buttons_and_arrow_keys_step_and_pause_the_show(self):
        self.open("spot0.html", "?interval=60000")
        self.wait_for_picture("images/spot0_img0.jpg")
        steps = [(lambda: self.page.press("ArrowRight"), "images/spot0_img1.jpg"),
                 (lambda: self.page.click_element("#next"), "images/spot0_img2.jpg"),
                 (lambda: self.page.press("ArrowLeft"), "images/spot0_img1.jpg"),
                 (lambda: self.page.click_element("#previous"), "images/spot0_img0.jpg"),
                 (lambda: self.page.click_element("#previous"), "images/spot0_img0.jpg")]
        for step, expected in steps:
            step()
            self.wait_for_picture(expected)
        self.assertEqual(self.page.evaluate("document.getElementById('counter').textContent"), "1 / 3")

        self.page.click_element("#pause")
        self.page.wait_for("document.getElementById('pause').textContent === 'Play' &&"
                           " document.getElementById('sound').paused", what="the show and its sound to pause")
        self.page.click_element("#pause")
        self.page.wait_for("!document.getElementById('sound').paused", what="the sound to go on")
        after = len(self.records())
        for expected in ("images/spot0_img1.jpg", "images/spot0_img2.jpg"):
            self.page.press("ArrowRight")
            self.wait_for_picture(expected)
        self.page.press("ArrowRight")
        self.wait_for_page("index.html", after)

    def test_back_after_a_show_returns_to_the_map_without_playing_it_again(self):
        self.open("index.html")
        # As a pin's click does, with the address that hurries the show.
        after = len(self.records())
        self.page.evaluate(f"location.href = {json.dumps((self.site / 'spot0.html').as_uri() + self.hurry_shows())}")
        self.wait_for_page("index.html", self.wait_for_record("spot0.html", after))
        _, shown = self.page.history()
        after = len(self.records())
        self.page.back()
        self.page.wait_until(lambda: self.page.history()[1] == shown - 1, what="Back")
        self.wait_loaded("index.html")
        addresses, current = self.page.history()
        paths = [urllib.parse.unquote(urllib.parse.urlparse(address).path) for address in addresses]
        self.assertEqual(paths[current:], [self.path("index.html")] * 2)
        self.assertNotIn(self.path("spot0.html"), paths)
        self.assertNotIn("page " + self.path("spot0.html"), self.records()[after:])

    def test_a_phone_sized_window_shows_the_whole_map_with_pins_on_their_spots(self):
        self.page.emulate_window(390, 844, mobile=True)
        self.open("index.html")
        box = self.page.box(kMapPicture)
        self.assertGreaterEqual(box["left"], 0)
        self.assertLessEqual(box["left"] + box["width"], 390)
        self.assertGreater(box["width"], 300)
        self.assertAlmostEqual(box["height"], box["width"] * kImageHeight / kImageWidth, delta=1)
        self.assertLessEqual(self.page.evaluate("document.documentElement.scrollWidth"), 390)
        pins = self.page.evaluate("Array.from(document.querySelectorAll('.pin'), (pin) => {"
                                  " const r = pin.getBoundingClientRect(); return [r.left, r.top]; })")
        self.assertEqual(len(pins), len(kRootSpots))
        scale = box["width"] / kImageWidth
        for (left, top), spot in zip(pins, kRootSpots):
            x, y = spot_centre(kRootPictureSize, spot["bounds"])
            # The pin's point lies 16 pixels into its picture.
            self.assertAlmostEqual(left + 16, box["left"] + x * scale, delta=1)
            self.assertAlmostEqual(top + 16, box["top"] + y * scale, delta=1)
        after = len(self.records())
        self.click_spot(kRootPictureSize, kRootSpots[2]["bounds"])
        self.wait_for_page("spot2/index.html", after)

    def test_the_story_is_the_spot_pages_heading_paragraphs_and_captions_and_stays_text(self):
        self.open("index.html")
        pin = self.page.evaluate("(() => { const pin = document.querySelector('.pin');"
                                 " return [pin.title, pin.querySelector('img').alt]; })()")
        self.assertEqual(pin, [kStory["title"]] * 2)
        self.open("spot0.html", "?interval=60000")
        self.wait_for_picture("images/spot0_img0.jpg")
        self.assertEqual(self.page.evaluate("document.querySelector('h1').textContent"), kStory["title"])
        self.assertEqual(self.page.evaluate("Array.from(document.querySelectorAll('.story p'), (p) => p.innerText)"),
                         ["Boats came in\nbefore six.", "<script>window.storyRan = true</script> & the bells"])
        caption = "(() => { const c = document.getElementById('caption'); return c.hidden ? null : c.textContent; })()"
        self.assertEqual(self.page.evaluate(caption), kStory["captions"][0])
        for expected_picture, expected_caption in (("images/spot0_img1.jpg", kStory["captions"][1]),
                                                   ("images/spot0_img2.jpg", None)):
            self.page.press("ArrowRight")
            self.wait_for_picture(expected_picture)
            self.assertEqual(self.page.evaluate(caption), expected_caption)
        self.assertIsNone(self.page.evaluate("window.storyRan || window.captionRan || null"))

    def test_pages_are_standard_utf8_documents_that_show_their_names(self):
        self.open("index.html")
        self.assertEqual(self.page.evaluate("document.querySelector('h1').textContent"), kRootPictureName)
        self.assertEqual(self.page.evaluate("document.characterSet"), "UTF-8")
        self.assertEqual(self.page.evaluate("document.compatMode"), "CSS1Compat")


if __name__ == "__main__":
    unittest.main()
