// Presents the newest frame on the canvas, one frame pixel per device
// pixel, with the information line over its top rows: the same texts as
// the desktop, built by the core, white on grey boxes.
export const FrameView = {
    canvas: null,
    context: null,
    module: null,
    sizeFor: new Map(),   // line height -> font pixel size that fits it
    cleared: true,        // the canvas lost its pixels (a new size): paint all

    attach(canvas, module) {
        this.canvas = canvas;
        this.context = canvas.getContext('2d', { alpha: false });
        this.module = module;
        this.band = module._tess_band_rows();  // frame rows under the information line
    },

    // The largest font pixel size whose line fits the given height.
    fontFor(lineHeight) {
        const wanted = Math.max(1, lineHeight);
        let size = this.sizeFor.get(wanted);
        if (size === undefined) {
            const c = this.context;
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
        const info = new Int32Array(M.HEAP32.buffer, M._tess_frame_info(), 8);
        const [width, height, , left, top, right, bottom] = info;
        const image = new ImageData(new Uint8ClampedArray(M.HEAPU8.buffer, pixels, width * height * 4), width, height);
        if (this.cleared) {
            c.putImageData(image, 0, 0);
            this.cleared = false;
        } else if (right > left && bottom > top) {
            c.putImageData(image, 0, 0, left, top, right - left, bottom - top);
        }
        // The line's rows come back from the frame every time, then the texts.
        c.putImageData(image, 0, 0, 0, 0, width, Math.min(this.band, height));
        if (this.canvas.width > width || this.canvas.height > height) {
            c.fillStyle = 'rgb(128,128,128)';
            c.fillRect(width, 0, this.canvas.width - width, this.canvas.height);
            c.fillRect(0, height, this.canvas.width, this.canvas.height - height);
        }
        this.drawLine(width);
        return true;
    },

    drawLine(frameWidth) {
        const c = this.context;
        const [first, second, peak] = this.texts();
        const clientWidth = this.canvas.width;
        c.font = this.fontFor(this.band);
        const full = (t) => (t ? c.measureText(t).width : 0);
        const measured = Math.round(full(first) + full(second) + full(peak));
        const line = this.module._tess_overlay_line_height(Math.min(frameWidth, clientWidth), measured);
        c.font = this.fontFor(line);
        const m = c.measureText('Hg');
        const ascent = Math.ceil(m.fontBoundingBoxAscent);
        const boxHeight = Math.ceil(m.fontBoundingBoxAscent + m.fontBoundingBoxDescent);
        const boxed = (x, text) => {
            const shown = text.replace(/ +$/, '');
            c.fillStyle = 'rgb(128,128,128)';
            c.fillRect(x, 0, Math.ceil(c.measureText(shown).width), boxHeight);
            c.fillStyle = 'rgb(255,255,255)';
            c.fillText(shown, x, ascent);
        };
        const firstWidth = full(first);
        if (first) boxed(0, first);
        if (second) boxed(firstWidth, second);
        boxed(clientWidth - full(peak), peak);
    },
};

// The canvas's backing size follows the stage: its CSS size times
// devicePixelRatio, 38 device pixels a degree. size holds the frame's
// width and height; every change after the first is the core's resize.
export const pixelRatio = () => window.devicePixelRatio || 1;
const measure = (stage) => [Math.max(0, Math.floor(stage.clientWidth * pixelRatio())),
                            Math.max(0, Math.floor(stage.clientHeight * pixelRatio()))];

export function fitCanvas(canvas, stage, size) {
    [size.width, size.height] = measure(stage);
    canvas.width = size.width;
    canvas.height = size.height;
}

export function followStage(canvas, stage, size, M) {
    new ResizeObserver(() => {
        const [w, h] = measure(stage);
        if (w === size.width && h === size.height) return;
        fitCanvas(canvas, stage, size);
        FrameView.cleared = true;
        M._tess_resize(w, h);
    }).observe(stage);
}
