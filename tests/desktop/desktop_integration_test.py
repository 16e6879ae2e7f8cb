"""Pinlore on the desktop, checked with the desktop's own tools: the installed tree (menu entry, map
file type, icons, thumbnailer, software-centre description) as validators and xdg-mime read it, the
thumbnailer as a file manager runs it, and the Debian package's fields and contents.

    PINLORE_BUILD=build python3 desktop_integration_test.py InstalledTree|Thumbnailer|Package
"""

import os
import pathlib
import shutil
import subprocess
import tempfile
import unittest

kBuild = pathlib.Path(os.environ.get("PINLORE_BUILD", "build")).resolve()
kProgram = kBuild / "bin" / "pinlore"
kAppId = "org.pinlore.Pinlore"
kMapType = "application/x-pinlore-map"
kIconSizes = (16, 22, 24, 32, 48, 64, 128, 256, 512)
kDocument = "{367247FF-E61A-4DAA-A8F8-4F05CF2DCC2A}"
kSampleMap = kBuild / "bin" / "tutorial" / "Pictures" / "Country.plm"
kSampleMapPicture = kSampleMap.parent / "Country Map.jpg"
# A file manager gives up on a thumbnailer long before this; a hang fails the test instead of CI.
kPatience = 10


def run(*command, **options):
    return subprocess.run([str(part) for part in command], capture_output=True, text=True, timeout=60, **options)


def installed_files():
    """What the desktop expects under the installation prefix, relative to it."""
    share = pathlib.Path("share")
    files = [
        pathlib.Path("bin/pinlore"),
        pathlib.Path("lib/pinlore/pinlore"),
        pathlib.Path("lib/pinlore/libComponents.so"),
        pathlib.Path("lib/pinlore/help.chm"),
        pathlib.Path("lib/pinlore/tutorial/Pictures/Country.plm"),
        pathlib.Path("lib/pinlore/tutorial/Pictures/Country Map.jpg"),
        share / "applications" / f"{kAppId}.desktop",
        share / "metainfo" / f"{kAppId}.metainfo.xml",
        share / "mime" / "packages" / f"{kAppId}.xml",
        share / "thumbnailers" / "pinlore.thumbnailer",
        share / "icons/hicolor/scalable/apps" / f"{kAppId}.svg",
        share / "icons/hicolor/scalable/mimetypes/application-x-pinlore-map.svg",
    ]
    for size in kIconSizes:
        files.append(share / f"icons/hicolor/{size}x{size}/apps/{kAppId}.png")
        files.append(share / f"icons/hicolor/{size}x{size}/mimetypes/application-x-pinlore-map.png")
    return files


def rgb_pixels(picture, size=None):
    """The picture's pixels as 8-bit RGB bytes, optionally scaled to SIZE exactly."""
    resize = ["-resize", f"{size[0]}x{size[1]}!"] if size else []
    return subprocess.run(["convert", str(picture), *resize, "-depth", "8", "rgb:-"], capture_output=True,
                          check=True).stdout


def picture_size(picture):
    width, height = run("identify", "-format", "%w %h", picture).stdout.split()
    return int(width), int(height)


class InstalledTree(unittest.TestCase):
    """`DESTDIR=... make install PREFIX=/usr`, read by the desktop's validators and by xdg-mime."""

    @classmethod
    def setUpClass(cls):
        cls.work = pathlib.Path(tempfile.mkdtemp(prefix="pinlore-desktop-"))
        cls.root = cls.work / "root"
        result = run("cmake", "--install", kBuild, "--prefix", "/usr", env={**os.environ, "DESTDIR": str(cls.root)})
        assert result.returncode == 0, result.stderr
        cls.usr = cls.root / "usr"

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.work)

    def test_every_desktop_file_is_installed(self):
        missing = [str(path) for path in installed_files() if not (self.usr / path).exists()]
        self.assertEqual(missing, [])
        self.assertEqual(os.readlink(self.usr / "bin/pinlore"), "../lib/pinlore/pinlore")

    def test_the_installed_sample_maps_name_the_installed_pictures(self):
        text = (self.usr / "lib/pinlore/tutorial/Pictures/Country.plm").read_text()
        self.assertIn(">/usr/lib/pinlore/tutorial/Pictures/Country Map.jpg<", text)
        self.assertNotIn(str(self.root), text)

    def test_the_validators_accept_the_files(self):
        share = self.usr / "share"
        for command in (["desktop-file-validate", share / "applications" / f"{kAppId}.desktop"],
                        ["appstreamcli", "validate", "--no-net", share / "metainfo" / f"{kAppId}.metainfo.xml"]):
            with self.subTest(command=command[0]):
                result = run(*command)
                self.assertEqual(result.returncode, 0, result.stdout + result.stderr)

    def test_the_desktop_knows_maps_and_opens_them_with_pinlore(self):
        # A data folder of the test's own, as the packaging triggers would leave /usr/share.
        data = self.work / "data"
        shutil.copytree(self.usr / "share", data)
        for command in (["update-mime-database", data / "mime"], ["update-desktop-database", data / "applications"]):
            result = run(*command)
            self.assertEqual(result.returncode, 0, result.stderr)
        home = self.work / "home"
        home.mkdir()
        maps = self.work / "maps"
        maps.mkdir()
        named = maps / "Trip.plm"
        shutil.copy(kSampleMap, named)
        renamed = maps / "Trip to the coast"
        shutil.copy(kSampleMap, renamed)
        environment = {**os.environ, "HOME": str(home), "XDG_DATA_HOME": str(home / "share"),
                       "XDG_CONFIG_HOME": str(home / "config"), "XDG_DATA_DIRS": str(data)}
        for map_file in (named, renamed):
            with self.subTest(map=map_file.name):
                result = run("xdg-mime", "query", "filetype", map_file,
                             env={**environment, "XDG_CURRENT_DESKTOP": "GNOME"})
                self.assertEqual(result.stdout.strip(), kMapType, result.stderr)
        environment.pop("XDG_CURRENT_DESKTOP", None)
        result = run("xdg-mime", "query", "default", kMapType, env=environment)
        self.assertEqual(result.stdout.strip(), f"{kAppId}.desktop", result.stderr)


class Thumbnailer(unittest.TestCase):
    """`pinlore --thumbnail INPUT OUTPUT SIZE` as file managers run it on whatever maps they list."""

    def setUp(self):
        self.work = pathlib.Path(tempfile.mkdtemp(prefix="pinlore-thumbnailer-"))
        self.output = self.work / "thumbnail.png"
        self.registry = self.work / "registry.sqlite"

    def tearDown(self):
        shutil.rmtree(self.work)

    def thumbnail(self, map_file, size):
        # No display and no registry: a thumbnailer that reached for either fails here.
        environment = {key: value for key, value in os.environ.items() if key not in ("DISPLAY", "WAYLAND_DISPLAY")}
        environment["PINLORE_REGISTRY"] = str(self.registry)
        return subprocess.run([str(kProgram), "--thumbnail", str(map_file), str(self.output), str(size)],
                              capture_output=True, text=True, timeout=kPatience, env=environment)

    def write_map(self, name, body, document=kDocument):
        path = self.work / name
        path.write_text(f'<Object clsid="{document}">{body}<NumSpotsKey vt="3">0</NumSpotsKey></Object>')
        return path

    def test_the_thumbnail_is_the_map_picture_at_most_size_pixels(self):
        width, height = picture_size(kSampleMapPicture)
        for size, expected in ((256, (256, round(height * 256 / width))), (max(width, height) * 2, (width, height))):
            with self.subTest(size=size):
                result = self.thumbnail(kSampleMap, size)
                self.assertEqual(result.returncode, 0, result.stderr)
                self.assertEqual(picture_size(self.output), expected)
                made = rgb_pixels(self.output)
                wanted = rgb_pixels(kSampleMapPicture, expected)
                difference = sum(abs(a - b) for a, b in zip(made, wanted)) / len(wanted)
                self.assertLess(difference, 6, "the thumbnail does not show the map picture")
                self.assertFalse(self.registry.exists(), "the thumbnailer opened the registry")

    def test_what_is_not_a_readable_map_with_a_picture_leaves_no_file(self):
        fifo = self.work / "waiting.plm"
        os.mkfifo(fifo)
        garbage = self.work / "garbage.plm"
        garbage.write_bytes(os.urandom(4096))
        cases = {
            "garbage": (garbage, 128),
            "a FIFO": (fifo, 128),
            "a missing file": (self.work / "nowhere.plm", 128),
            "a folder": (self.work, 128),
            "a missing picture": (self.write_map("lost.plm", '<MapFileKey vt="8">/nowhere/Lost Map.jpg</MapFileKey>'), 128),
            "no map picture": (self.write_map("bare.plm", '<MapFileKey vt="8"></MapFileKey>'), 128),
            "a picture that is a FIFO": (self.write_map("pipe.plm", f'<MapFileKey vt="8">{fifo}</MapFileKey>'), 128),
            "another class": (self.write_map("other.plm", f'<MapFileKey vt="8">{kSampleMapPicture}</MapFileKey>',
                                             document="{00000000-0000-0000-0000-000000000000}"), 128),
            "a size of nothing": (kSampleMap, 0),
        }
        for case, (map_file, size) in cases.items():
            with self.subTest(case=case):
                result = self.thumbnail(map_file, size)
                self.assertNotEqual(result.returncode, 0)
                self.assertFalse(self.output.exists())
                self.assertIn(str(map_file), result.stderr)


class Package(unittest.TestCase):
    """`make package`: the Debian package's control fields and the files it installs."""

    def test_the_package_holds_the_program_and_its_desktop_files(self):
        with tempfile.TemporaryDirectory(prefix="pinlore-package-") as work:
            result = run("cpack", "-G", "DEB", "-B", work, "--config", kBuild / "CPackConfig.cmake")
            self.assertEqual(result.returncode, 0, result.stdout + result.stderr)
            (package,) = pathlib.Path(work).glob("pinlore_*.deb")
            fields = run("dpkg-deb", "--field", package).stdout
            self.assertIn("Package: pinlore\n", fields)
            self.assertRegex(fields, r"Architecture: \w+\n")
            depends = next(line for line in fields.splitlines() if line.startswith("Depends:"))
            for dependency in ("libqt6widgets6", "libqt6multimedia6", "libsqlite3-0", "libpugixml1v5",
                               "qt6-qpa-plugins", "gstreamer1.0-plugins-good", "fonts-liberation"):
                self.assertIn(dependency, depends)
            contents = {line.split(" ./", 1)[1].split(" -> ")[0] for line in
                        run("dpkg-deb", "--contents", package).stdout.splitlines()}
            missing = [str(path) for path in installed_files()
                       if str(pathlib.Path("usr") / path) not in contents]
            self.assertEqual(missing, [])
            with tempfile.TemporaryDirectory() as unpacked:
                run("dpkg-deb", "-x", package, unpacked)
                text = (pathlib.Path(unpacked) / "usr/lib/pinlore/tutorial/Pictures/City.plm").read_text()
                self.assertIn(">/usr/lib/pinlore/tutorial/Pictures/City Map.jpg<", text)


if __name__ == "__main__":
    unittest.main()
