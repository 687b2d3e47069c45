// Presents the newest frame on the canvas, one frame pixel per CSS pixel
// times the zoom (38 frame pixels a degree, so a degree is 38 CSS pixels at
// 100 % on every screen); the browser scales it up to the device's pixels,
// block by block. The information line, the same texts as the desktop
// built by the core, white on grey boxes, is drawn on a second canvas over
// the field's top rows at the device's own resolution, so it stays sharp.
// A text whose first strong letter is Hebrew or Arabic reads right to left.
const RIGHT_TO_LEFT_FIRST = /^[^A-Za-z\u00C0-\u024F\u0370-\u03FF\u0400-\u04FF\u4E00-\u9FFF]*[\u0590-\u08FF\uFB1D-\uFDFF\uFE70-\uFEFF]/;

export const FrameView = {
    canvas: null,
    context: null,
    overlay: null,        // the canvas of the information line
    line: null,
    boxes: [],            // the readouts drawn: text, x, y, width, height in frame pixels
    module: null,
    sizeFor: new Map(),   // line height -> font pixel size that fits it
    cleared: true,        // the canvas lost its pixels (a new size): paint all
    drawn: '',            // what the information line shows now: texts and sizes

    attach(canvas, module) {
        this.canvas = canvas;
        // Desynchronized: the frame reaches the screen without waiting for
        // the page's own compositing step, which on a slow machine took as
        // long as the ticks themselves and made them late (a browser that
        // cannot do this takes it as a hint and paints as before).
        this.context = canvas.getContext('2d', { alpha: false, desynchronized: true });
        this.overlay = document.createElement('canvas');
        this.overlay.id = 'overlay';
        this.overlay.setAttribute('aria-hidden', 'true');
        canvas.after(this.overlay);
        this.line = this.overlay.getContext('2d');
        this.module = module;
        this.band = module._tess_band_rows();  // frame rows under the information line
    },

    // The largest font pixel size whose line fits the given height.
    fontFor(lineHeight) {
        const wanted = Math.max(1, lineHeight);
        let size = this.sizeFor.get(wanted);
        if (size === undefined) {
            const c = this.line;
            for (size = wanted; size > 1; size--) {
                c.font = `${size}px sans-serif`;
                const m = c.measureText('Hg');
                if (Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent) <= wanted) break;
            }
            this.sizeFor.set(wanted, size);
        }
        return `${size}px sans-serif`;
    },

    texts() {
        const M = this.module;
        // Text 0 builds all three.
        return [0, 1, 2].map((i) => M.UTF8ToString(M._tess_overlay_text(i)));
    },

    // Takes the newest frame and paints what changed, then the line.
    paint() {
        const M = this.module;
        const c = this.context;
        const pixels = M._tess_frame();
        if (!pixels) return false;
        const [width, height, , whole, count] = new Int32Array(M.HEAP32.buffer, M._tess_frame_info(), 5);
        const rects = new Int32Array(M.HEAP32.buffer, M._tess_frame_info() + 20, 4 * count);
        const image = new ImageData(new Uint8ClampedArray(M.HEAPU8.buffer, pixels, width * height * 4), width, height);
        if (this.cleared || whole) {
            c.putImageData(image, 0, 0);
            this.cleared = false;
        } else {
            for (let i = 0; i < 4 * count; i += 4) {
                const [left, top, right, bottom] = rects.subarray(i, i + 4);
                c.putImageData(image, 0, 0, left, top, right - left, bottom - top);
            }
        }
        if (this.canvas.width > width || this.canvas.height > height) {
            c.fillStyle = 'rgb(128,128,128)';
            c.fillRect(width, 0, this.canvas.width - width, this.canvas.height);
            c.fillRect(0, height, this.canvas.width, this.canvas.height - height);
        }
        // The line changes far less often than the frame: it is drawn
        // again only when its texts or its sizes change.
        const texts = this.texts();
        const key = `${texts.join('\n')}\n${width} ${this.canvas.width} ${Zoom.value} ${pixelRatio()}`;
        if (key !== this.drawn) {
            this.drawLine(width, texts);
            this.drawn = key;
        }
        return true;
    },

    // The line's canvas: the field's width and the band's height at the
    // device's pixels, drawn in frame pixels through its scale.
    fitOverlay() {
        const o = this.overlay, zoom = Zoom.value, ratio = pixelRatio();
        const css = [this.canvas.width * zoom, this.band * zoom];
        const backing = css.map((v) => Math.max(1, Math.round(v * ratio)));
        if (o.width !== backing[0] || o.height !== backing[1]) {
            [o.width, o.height] = backing;
            [o.style.width, o.style.height] = css.map((v) => `${v}px`);
        }
        this.line.setTransform(backing[0] / Math.max(1, this.canvas.width), 0, 0, backing[1] / this.band, 0, 0);
        this.line.clearRect(0, 0, this.canvas.width, this.band);
    },

    // The core lays the line out from the texts' widths at the full height:
    // side by side with a gap, or the peak rate on a line below the others.
    drawLine(frameWidth, [first, second, peak]) {
        this.fitOverlay();
        const c = this.line;
        const clientWidth = this.canvas.width;
        c.font = this.fontFor(this.band);
        const full = (t) => (t ? c.measureText(t).width : 0);
        const M = this.module;
        const at = M._tess_overlay_layout(Math.min(frameWidth, clientWidth), Math.round(full(first) + full(second)),
            Math.round(full(peak))) >> 2;
        const [line, peakTop] = [M.HEAP32[at], M.HEAP32[at + 1]];
        c.font = this.fontFor(line);
        const m = c.measureText('Hg');
        const ascent = Math.ceil(m.fontBoundingBoxAscent);
        const boxHeight = Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
        this.boxes = [];
        const boxed = (x, y, text) => {
            const shown = text.replace(/ +$/, '');
            const width = Math.ceil(c.measureText(shown).width);
            c.fillStyle = 'rgb(128,128,128)';
            c.fillRect(x, y, width, boxHeight);
            c.fillStyle = 'rgb(255,255,255)';
            // Each text is read in its own direction (an Arabic readout right to left, its number in it as a
            // reader of Arabic expects), in the same box, its leading blank kept at the left as in English.
            const rtl = RIGHT_TO_LEFT_FIRST.test(shown);
            c.direction = rtl ? 'rtl' : 'ltr';
            c.textAlign = rtl ? 'right' : 'left';
            c.fillText(rtl ? shown.trimStart() : shown, rtl ? x + width : x, y + ascent);
            c.direction = 'ltr';
            c.textAlign = 'left';
            this.boxes.push({ text: shown.trim(), x, y, width, height: boxHeight });
        };
        const firstWidth = full(first);
        if (first) boxed(0, 0, first);
        if (second) boxed(firstWidth, 0, second);
        boxed(clientWidth - full(peak), peakTop, peak);
    },

    // The boxes last drawn, in CSS pixels of the page, for whoever checks
    // that nothing covers them.
    readouts() {
        const r = this.overlay.getBoundingClientRect(), zoom = Zoom.value;
        return (this.boxes || []).map((b) => ({ text: b.text, left: r.left + b.x * zoom, top: r.top + b.y * zoom,
            right: r.left + (b.x + b.width) * zoom, bottom: r.top + (b.y + b.height) * zoom }));
    },
};

// The zoom: CSS pixels per frame pixel, one of the core's steps (the
// desktop's too, 50 to 400 %), kept by the browser for the next visit.
const ZOOM_KEY = 'tessaline.zoom';
export const Zoom = { value: 1, steps: [1] };

// Takes the steps, in percent, and the zoom of the last visit where it is one.
export function readZoom(percentSteps) {
    Zoom.steps = percentSteps.map((p) => p / 100);
    try {
        const z = Number(localStorage.getItem(ZOOM_KEY));
        Zoom.value = Zoom.steps.includes(z) ? z : 1;
    } catch {
        Zoom.value = 1;  // storage refused: 100 %
    }
}

// The canvas's backing size is the frame's: the stage's CSS size over the
// zoom; its CSS size is the frame's times the zoom, so each frame pixel is
// a whole number of CSS pixels at whole zooms. size holds the frame's width
// and height; every change after the first is the core's resize.
export const pixelRatio = () => window.devicePixelRatio || 1;
const measure = (stage) => [Math.max(0, Math.floor(stage.clientWidth / Zoom.value)),
                            Math.max(0, Math.floor(stage.clientHeight / Zoom.value))];

export function fitCanvas(canvas, stage, size) {
    [size.width, size.height] = measure(stage);
    canvas.width = size.width;
    canvas.height = size.height;
    canvas.style.width = `${size.width * Zoom.value}px`;
    canvas.style.height = `${size.height * Zoom.value}px`;
}

// Follows the stage's size; returns the zoom's setter, which takes the
// same path: the core hears only of the frame's new size. A screen that
// turned between upright and wide (the page's own shape flips) keeps the
// field and the stimulus at their places in degrees from the centre; any
// other change (a panel, the window, the zoom) scales them with the frame.
const upright = () => innerHeight > innerWidth;
export function followStage(canvas, stage, size, M) {
    let wasUpright = upright();
    const refit = () => {
        const [w, h] = measure(stage);
        const turned = upright() !== wasUpright;
        wasUpright = upright();
        if (w === size.width && h === size.height) return;
        fitCanvas(canvas, stage, size);
        FrameView.cleared = true;
        M._tess_resize(w, h, turned ? 1 : 0);
        // The line follows the new width at once, not at the next frame: a
        // large frame on a slow machine comes ticks later, and meanwhile the
        // old line would reach over a panel that has just opened.
        FrameView.paint();
    };
    new ResizeObserver(refit).observe(stage);
    return (zoom) => {
        Zoom.value = zoom;
        try {
            localStorage.setItem(ZOOM_KEY, String(zoom));
        } catch {
            // kept for this visit only
        }
        refit();
        FrameView.paint();
    };
}
