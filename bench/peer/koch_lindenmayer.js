// The Koch snowflake of bench/lsystem_bench.cpp with the npm package lindenmayer: the same
// axiom, rule, angle and depth, derived by the package and walked by a 2-D turtle whose final
// functions for F, + and - move, turn and count the segments. Prints one line per run and the
// median segments per second of CPU time and of wall time.
//
//   node koch_lindenmayer.js [depth] [runs]     (lindenmayer must be resolvable from here)

'use strict';

const LSystem = require('lindenmayer');

const depth = Number(process.argv[2] || 9);
const runs = Number(process.argv[3] || 7);
const turn = (60 * Math.PI) / 180;

function walk() {
    const turtle = { x: 0, y: 0, heading: Math.PI / 2, segments: 0, length: 400 / Math.pow(3, depth) };
    const koch = new LSystem({
        axiom: 'F--F--F',
        productions: { F: 'F+F--F+F' },
        finals: {
            F: () => {
                turtle.x += turtle.length * Math.cos(turtle.heading);
                turtle.y += turtle.length * Math.sin(turtle.heading);
                turtle.segments += 1;
            },
            '+': () => { turtle.heading += turn; },
            '-': () => { turtle.heading -= turn; },
        },
    });
    koch.iterate(depth);
    koch.final();
    return turtle;
}

// Rates per second of CPU time (user and system, all threads of the process) and of wall time.
const cpuRates = [];
const wallRates = [];
for (let run = 0; run < runs; run += 1) {
    const cpuStart = process.cpuUsage();
    const wallStart = process.hrtime.bigint();
    const turtle = walk();
    const wall = Number(process.hrtime.bigint() - wallStart) / 1e9;
    const used = process.cpuUsage(cpuStart);
    const cpu = (used.user + used.system) / 1e6;
    if (turtle.segments !== 3 * Math.pow(4, depth)) throw new Error(`wrong segment count ${turtle.segments}`);
    // The snowflake closes: the turtle ends where it started.
    if (Math.hypot(turtle.x, turtle.y) > 1e-6) throw new Error('the snowflake did not close');
    cpuRates.push(turtle.segments / cpu);
    wallRates.push(turtle.segments / wall);
    console.log(`run ${run + 1}: ${turtle.segments} segments, ${cpu.toFixed(3)} s CPU, ${wall.toFixed(3)} s wall`);
}
const median = (rates) => rates.slice().sort((a, b) => a - b)[Math.floor(rates.length / 2)];
console.log(`lindenmayer 1.5.4 median: ${(median(cpuRates) / 1e6).toFixed(3)} M segments per CPU second, ` +
            `${(median(wallRates) / 1e6).toFixed(3)} M per wall second`);
console.log(`peer_cpu_segments_per_second=${Math.round(median(cpuRates))}`);
console.log(`peer_wall_segments_per_second=${Math.round(median(wallRates))}`);
