// The aim as the desktop's modern look shows it: a ring in the ball's colour round a ball
// this screen may putt, dots fading out along the aim and an arrowhead where they end; and
// the force meter, a bar filling from green through yellow to red.

export function drawAim(ctx: CanvasRenderingContext2D, cx: number, cy: number, r: number, aim: number,
  colour: string, ring: boolean, lines: boolean): void {
  ctx.save();
  if (ring) {
    ctx.lineWidth = 4;
    ctx.strokeStyle = 'rgba(0,0,0,0.35)';
    ctx.beginPath();
    ctx.arc(cx, cy, 1.7 * r, 0, Math.PI * 2);
    ctx.stroke();
    ctx.lineWidth = 2;
    ctx.strokeStyle = colour;
    ctx.beginPath();
    ctx.arc(cx, cy, 1.7 * r, 0, Math.PI * 2);
    ctx.stroke();
  }
  if (lines) {
    const dx = Math.cos(aim);
    const dy = Math.sin(aim);
    const start = 2.2 * r;
    const end = 7.4 * r;
    const step = Math.max(5, 0.9 * r);
    for (let t = start; t < end - step; t += step) {
      const fade = 1 - (0.6 * (t - start)) / (end - start);
      const px = cx + dx * t;
      const py = cy + dy * t;
      ctx.fillStyle = `rgba(0,0,0,${((110 * fade) / 255).toFixed(3)})`;
      ctx.beginPath();
      ctx.arc(px + 0.6, py + 0.8, 0.24 * r + 1, 0, Math.PI * 2);
      ctx.fill();
      ctx.fillStyle = `rgba(255,255,255,${((235 * fade) / 255).toFixed(3)})`;
      ctx.beginPath();
      ctx.arc(px, py, 0.24 * r + 0.6, 0, Math.PI * 2);
      ctx.fill();
    }
    const tx = cx + dx * end;
    const ty = cy + dy * end;
    const nx = -dy;
    const ny = dx;
    ctx.beginPath();
    ctx.moveTo(tx, ty);
    ctx.lineTo(tx - dx * 1.3 * r + nx * 0.9 * r, ty - dy * 1.3 * r + ny * 0.9 * r);
    ctx.lineTo(tx - dx * 0.9 * r, ty - dy * 0.9 * r);
    ctx.lineTo(tx - dx * 1.3 * r - nx * 0.9 * r, ty - dy * 1.3 * r - ny * 0.9 * r);
    ctx.closePath();
    ctx.fillStyle = 'rgba(255,255,255,0.59)';
    ctx.fill();
    ctx.lineWidth = 1.5;
    ctx.strokeStyle = 'rgba(0,0,0,0.47)';
    ctx.stroke();
  }
  ctx.restore();
}

function roundedRect(ctx: CanvasRenderingContext2D, x: number, y: number, w: number, h: number, radius: number): void {
  const r = Math.max(0, Math.min(radius, w / 2, h / 2));
  ctx.beginPath();
  ctx.roundRect(x, y, w, h, r);
}

/**
 * The force meter in the track (x, y, w, h), filled to `share` (0-1); `weak` greys the fill
 * (a touch drag too short to putt).
 */
export function drawForceMeter(ctx: CanvasRenderingContext2D, x: number, y: number, w: number, h: number,
  share: number, weak = false): void {
  share = Math.min(1, Math.max(0, share));
  ctx.save();
  roundedRect(ctx, x, y, w, h, 5);
  ctx.fillStyle = 'rgb(20,24,28)';
  ctx.fill();
  ctx.lineWidth = 1.5;
  ctx.strokeStyle = 'rgba(255,255,255,0.78)';
  ctx.stroke();
  const ix = x + 3, iy = y + 3, iw = w - 6, ih = h - 6;
  const filled = ih * share;
  if (filled > 0) {
    if (weak) {
      ctx.fillStyle = 'rgb(140,146,150)';
    } else {
      const ramp = ctx.createLinearGradient(0, iy + ih, 0, iy);
      ramp.addColorStop(0, 'rgb(60,200,80)');
      ramp.addColorStop(0.55, 'rgb(250,210,40)');
      ramp.addColorStop(1, 'rgb(235,50,40)');
      ctx.fillStyle = ramp;
    }
    roundedRect(ctx, ix, iy + ih - filled, iw, filled, 3);
    ctx.fill();
  }
  ctx.strokeStyle = 'rgba(255,255,255,0.43)';
  ctx.lineWidth = 1;
  for (let q = 1; q < 4; ++q) {
    const ly = iy + ih - (ih * q) / 4;
    ctx.beginPath();
    ctx.moveTo(ix, ly);
    ctx.lineTo(ix + iw, ly);
    ctx.stroke();
  }
  ctx.restore();
}
