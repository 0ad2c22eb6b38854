#!/usr/bin/env perl
# compare-png-pixels.pl A.png B.png [TOLERANCE]
# Compares the pixels of two 8-bit, non-interlaced PNG files (grey, grey and
# alpha, RGB or RGBA, as the dapple command writes them), whatever their
# compression. Exit 0 when both have the same size and channels and no sample
# differs by more than TOLERANCE (default 0); 1, with a line saying how they
# differ, otherwise; 2 when a file cannot be read.
use strict;
use warnings;
use Compress::Zlib qw(uncompress);

my %channels_of_colour_type = (0 => 1, 2 => 3, 4 => 2, 6 => 4);

sub fail_read { print STDERR "compare-png-pixels: $_[0]\n"; exit 2; }

sub paeth {
    my ($a, $b, $c) = @_;
    my $p = $a + $b - $c;
    my ($pa, $pb, $pc) = (abs($p - $a), abs($p - $b), abs($p - $c));
    return $a if $pa <= $pb && $pa <= $pc;
    return $b if $pb <= $pc;
    return $c;
}

# Width, height, channels and the unfiltered samples, row after row.
sub read_png {
    my ($path) = @_;
    open(my $fh, '<:raw', $path) or fail_read("cannot open $path: $!");
    my $data = do { local $/; <$fh> };
    close $fh;
    fail_read("$path is not a PNG file") unless length($data) >= 8 && substr($data, 0, 8) eq "\x89PNG\r\n\x1a\n";
    my ($width, $height, $depth, $type, $interlace);
    my $compressed = '';
    my $pos = 8;
    while ($pos + 12 <= length $data) {
        my ($length, $chunk) = unpack('N a4', substr($data, $pos, 8));
        fail_read("$path: chunk $chunk runs past the end") if $pos + 12 + $length > length $data;
        my $body = substr($data, $pos + 8, $length);
        if ($chunk eq 'IHDR') {
            fail_read("$path: short header") if $length < 13;
            ($width, $height, $depth, $type, undef, undef, $interlace) = unpack('N N C C C C C', $body);
        } elsif ($chunk eq 'IDAT') {
            $compressed .= $body;
        } elsif ($chunk eq 'IEND') {
            last;
        }
        $pos += 12 + $length;
    }
    fail_read("$path has no header") unless defined $width;
    fail_read("$path: only 8-bit, non-interlaced files are compared") unless $depth == 8 && $interlace == 0;
    my $channels = $channels_of_colour_type{$type};
    fail_read("$path: colour type $type is not compared") unless defined $channels;
    my $raw = uncompress($compressed);
    fail_read("$path: the image data does not decompress") unless defined $raw;
    my $stride = $width * $channels;
    fail_read("$path: the image data has the wrong size") unless length($raw) == $height * ($stride + 1);

    my @samples;
    my @previous = (0) x $stride;
    for my $y (0 .. $height - 1) {
        my $start = $y * ($stride + 1);
        my $filter = ord substr($raw, $start, 1);
        my @row = unpack('C*', substr($raw, $start + 1, $stride));
        for my $i (0 .. $stride - 1) {
            my $left = $i >= $channels ? $row[$i - $channels] : 0;
            my $up = $previous[$i];
            my $corner = $i >= $channels ? $previous[$i - $channels] : 0;
            if ($filter == 1) { $row[$i] = ($row[$i] + $left) & 255; }
            elsif ($filter == 2) { $row[$i] = ($row[$i] + $up) & 255; }
            elsif ($filter == 3) { $row[$i] = ($row[$i] + (($left + $up) >> 1)) & 255; }
            elsif ($filter == 4) { $row[$i] = ($row[$i] + paeth($left, $up, $corner)) & 255; }
            elsif ($filter != 0) { fail_read("$path: row $y has the unknown filter $filter"); }
        }
        push @samples, @row;
        @previous = @row;
    }
    return { width => $width, height => $height, channels => $channels, samples => \@samples };
}

die "usage: compare-png-pixels.pl A.png B.png [TOLERANCE]\n" unless @ARGV == 2 || @ARGV == 3;
my ($path_a, $path_b, $tolerance) = @ARGV;
$tolerance = 0 unless defined $tolerance;
die "compare-png-pixels: TOLERANCE must be a whole number\n" unless $tolerance =~ /^\d+$/;

my $a = read_png($path_a);
my $b = read_png($path_b);
if ($a->{width} != $b->{width} || $a->{height} != $b->{height} || $a->{channels} != $b->{channels}) {
    print "$path_a is $a->{width}x$a->{height} with $a->{channels} channels, ",
        "$path_b is $b->{width}x$b->{height} with $b->{channels} channels\n";
    exit 1;
}
my ($differing, $largest, $first) = (0, 0, undef);
my ($sa, $sb) = ($a->{samples}, $b->{samples});
for my $i (0 .. $#$sa) {
    my $difference = abs($sa->[$i] - $sb->[$i]);
    next if $difference == 0;
    ++$differing;
    $largest = $difference if $difference > $largest;
    $first = $i unless defined $first;
}
exit 0 if $largest <= $tolerance;
my $pixel = int($first / $a->{channels});
printf "%d samples differ, by up to %d (tolerance %d); the first at x %d, y %d, channel %d\n", $differing, $largest,
    $tolerance, $pixel % $a->{width}, int($pixel / $a->{width}), $first % $a->{channels};
exit 1;
