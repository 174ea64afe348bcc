"""Screen grabs and picture files as plain RGB rasters, and the pixel questions the
end-to-end tests ask of them: where a coloured object starts, whether two crops
match, whether a picture file is shown at a place."""

import subprocess


class Raster:
    """An 8-bit RGB raster, rows top to bottom, three bytes per pixel."""

    def __init__(self, width, height, rgb):
        if len(rgb) != width * height * 3:
            raise ValueError(f"raster of {width} x {height} needs {width * height * 3} bytes, got {len(rgb)}")
        self.width = width
        self.height = height
        self.rgb = rgb

    @classmethod
    def from_ppm(cls, data):
        """Reads a binary PPM (P6) with 8-bit samples."""
        fields = []
        pos = 0
        while len(fields) < 4:
            while pos < len(data) and data[pos:pos + 1].isspace():
                pos += 1
            if data[pos:pos + 1] == b"#":
                pos = data.index(b"\n", pos)
                continue
            start = pos
            while pos < len(data) and not data[pos:pos + 1].isspace():
                pos += 1
            fields.append(data[start:pos])
        magic, width, height, maxval = fields[0], int(fields[1]), int(fields[2]), int(fields[3])
        if magic != b"P6" or maxval != 255:
            raise ValueError(f"not an 8-bit binary PPM: {magic!r}, maxval {maxval}")
        pixels = data[pos + 1:pos + 1 + width * height * 3]
        return cls(width, height, pixels)

    def pixel(self, x, y):
        o = (y * self.width + x) * 3
        return self.rgb[o], self.rgb[o + 1], self.rgb[o + 2]

    def crop(self, x, y, width, height):
        if x < 0 or y < 0 or x + width > self.width or y + height > self.height:
            raise ValueError(f"crop {width} x {height} at ({x}, {y}) leaves the {self.width} x {self.height} raster")
        rows = []
        for row in range(y, y + height):
            o = (row * self.width + x) * 3
            rows.append(self.rgb[o:o + width * 3])
        return Raster(width, height, b"".join(rows))

    def count(self, predicate):
        rgb = self.rgb
        return sum(1 for o in range(0, len(rgb), 3) if predicate(rgb[o], rgb[o + 1], rgb[o + 2]))

    def leftmost(self, predicate):
        """The smallest x of a pixel the predicate accepts, or None."""
        best = None
        rgb, width = self.rgb, self.width
        for y in range(self.height):
            limit = width if best is None else best
            o = y * width * 3
            for x in range(limit):
                p = o + x * 3
                if predicate(rgb[p], rgb[p + 1], rgb[p + 2]):
                    best = x
                    break
        return best

    def differing_pixels(self, other):
        if (self.width, self.height) != (other.width, other.height):
            raise ValueError("rasters of different sizes")
        a, b = self.rgb, other.rgb
        return sum(1 for o in range(0, len(a), 3) if a[o:o + 3] != b[o:o + 3])

    def mean_difference(self, other, x, y):
        """Mean absolute channel difference between `other` and the crop of this raster
        at (x, y) of other's size; every second pixel in both directions."""
        total = samples = 0
        for oy in range(0, other.height, 2):
            for ox in range(0, other.width, 2):
                mine = self.pixel(x + ox, y + oy)
                theirs = other.pixel(ox, oy)
                total += abs(mine[0] - theirs[0]) + abs(mine[1] - theirs[1]) + abs(mine[2] - theirs[2])
                samples += 3
        return total / samples


    def scaled_by_two(self):
        """Each pixel as a 2 x 2 block."""
        rows = []
        for y in range(self.height):
            row = b"".join(self.rgb[(y * self.width + x) * 3:(y * self.width + x) * 3 + 3] * 2 for x in range(self.width))
            rows += [row, row]
        return Raster(2 * self.width, 2 * self.height, b"".join(rows))

    def largest_difference(self, other, x, y):
        """The largest channel difference between `other` and the crop of this raster at (x, y)."""
        return max(abs(a - b) for a, b in zip(self.crop(x, y, other.width, other.height).rgb, other.rgb))


def is_car_red(r, g, b):
    """The body colour of the red car pictures, with room for JPEG noise."""
    return r >= 150 and g <= 90 and b <= 90


def is_ink(r, g, b):
    """A dark pixel of text."""
    return r + g + b < 300


def decode_picture(path):
    """Decodes a picture file (JPEG or PNG) with ImageMagick."""
    data = subprocess.run(["convert", str(path), "-depth", "8", "ppm:-"],
                          check=True, capture_output=True).stdout
    return Raster.from_ppm(data)


def best_match(screen, picture, x, y, slack=2):
    """The smallest mean difference of `picture` placed at (x, y) +- slack on `screen`."""
    best = None
    for dy in range(-slack, slack + 1):
        for dx in range(-slack, slack + 1):
            px, py = x + dx, y + dy
            if px < 0 or py < 0 or px + picture.width > screen.width or py + picture.height > screen.height:
                continue
            d = screen.mean_difference(picture, px, py)
            best = d if best is None else min(best, d)
    if best is None:
        raise ValueError("the picture does not fit on the screen at that place")
    return best
