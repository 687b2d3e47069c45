// Paints a figure the core laid out (tuning/plot_picture.h): filled and
// outlined rectangles, lines and texts, in order, in the core's colours.
// The desktop paints the same shapes; nothing here measures or decides.
const colour = (c) => `#${c.toString(16).padStart(6, '0')}`;
const ALIGN = ['left', 'center', 'right'];

export function paintPicture(canvas, picture) {
    const g = canvas.getContext('2d');
    g.fillStyle = colour(picture.background);
    g.fillRect(0, 0, canvas.width, canvas.height);
    g.font = `${picture.font}px sans-serif`;
    g.textBaseline = 'middle';
    g.lineWidth = 1;
    for (const [kind, x0, y0, x1, y1, c, dashed, align, vertical, text] of picture.shapes) {
        g.fillStyle = g.strokeStyle = colour(c);
        if (kind === 0) {
            g.fillRect(x0, y0, x1 - x0, y1 - y0);
        } else if (kind === 1) {
            g.strokeRect(x0 + 0.5, y0 + 0.5, x1 - x0, y1 - y0);
        } else if (kind === 2) {
            g.setLineDash(dashed ? [4, 3] : []);
            g.beginPath();
            g.moveTo(x0 + 0.5, y0 + 0.5);
            g.lineTo(x1 + 0.5, y1 + 0.5);
            g.stroke();
            g.setLineDash([]);
        } else {
            g.save();
            g.translate(x0, y0);
            if (vertical) g.rotate(-Math.PI / 2);
            g.textAlign = ALIGN[align];
            g.fillText(text, 0, 0);
            g.restore();
        }
    }
}
